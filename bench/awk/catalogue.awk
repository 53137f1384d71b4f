# Shared by read.awk and write.awk (awk -f catalogue.awk -f read.awk, LC_ALL=C): the catalogue
# and the Windows-1252 tables. The catalogue is the first file operand; it is read in BEGIN and
# taken off the operands.

# Loads the seven-line records of file: plan identifier, plan tail and display name by index,
# and the lowest index of each plan identifier. Comment and blank lines only between records.
function loadCatalogue(file,    line, field, count, saveRS) {
    saveRS = RS
    RS = "\r\n|\n|\r"
    field = 0
    count = 0
    while ((getline line < file) > 0) {
        if (field == 0 && (line ~ /^'/ || line == "" || line == " ")) continue
        record[++field] = line
        if (field < 7) continue
        planId[count] = record[2]
        planTail[count] = record[3]
        displayName[count] = record[7]
        if (!(record[2] in indexOf)) indexOf[record[2]] = count
        count++
        field = 0
    }
    close(file)
    RS = saveRS
    if (field != 0) fail(file, 0, "le catalogue s'arrête au milieu d'une entrée")
    if (count == 0) fail(file, 0, "catalogue vide")
    lastIndex = count - 1
}

# utf8[byte]: the UTF-8 bytes of a Windows-1252 byte; cp1252[utf8 bytes]: the way back.
function loadCodePage(    b, c, code, high, i) {
    split("20AC 81 201A 192 201E 2026 2020 2021 2C6 2030 160 2039 152 8D 17D 8F " \
          "90 2018 2019 201C 201D 2022 2013 2014 2DC 2122 161 203A 153 9D 17E 178", high, " ")
    for (b = 0; b < 256; b++) {
        c = sprintf("%c", b)
        byteOf[c] = b
        if (b < 128) {
            code = b
        } else if (b < 160) {
            code = 0
            for (i = 1; i <= length(high[b - 127]); i++)
                code = code * 16 + index("0123456789ABCDEF", substr(high[b - 127], i, 1)) - 1
        } else {
            code = b
        }
        utf8[c] = utf8Of(code)
        cp1252[utf8[c]] = c
        codeOf[c] = code
    }
}

function utf8Of(code) {
    if (code < 128) return sprintf("%c", code)
    if (code < 2048) return sprintf("%c%c", 192 + int(code / 64), 128 + code % 64)
    return sprintf("%c%c%c", 224 + int(code / 4096), 128 + int(code / 64) % 64, 128 + code % 64)
}

function fail(file, line, message) {
    printf "%s%s: %s\n", file, (line > 0 ? ":" line : ""), message > "/dev/stderr"
    exit 1
}
