# `qrnplan write ROWS` in awk for the rows `qrnplan read` prints, the same bytes out, for the
# benchmarks (it writes as it goes; qrnplan checks every row first):
#   LC_ALL=C awk -f catalogue.awk -f write.awk QRN.txt ROWS
BEGIN {
    loadCodePage()
    loadCatalogue(ARGV[1])
    ARGV[1] = ""
    unescaped["\\\""] = "\""; unescaped["\\\\"] = "\\"; unescaped["\\/"] = "/"
    unescaped["\\b"] = "\b"; unescaped["\\f"] = "\f"; unescaped["\\n"] = "\n"
    unescaped["\\r"] = "\r"; unescaped["\\t"] = "\t"
}

# A JSON string's contents (without its quotes) in Windows-1252.
function text(s,    out, c, code, i, u) {
    if (s !~ /[\\\200-\377]/) return s
    out = ""
    while (s != "") {
        if (substr(s, 1, 2) == "\\u") {
            code = 0
            for (i = 3; i <= 6; i++) code = code * 16 + index("0123456789abcdef", tolower(substr(s, i, 1))) - 1
            u = utf8Of(code)
            if (!(u in cp1252)) fail(FILENAME, FNR, "caractère sans octet Windows-1252")
            out = out cp1252[u]
            s = substr(s, 7)
        } else if (substr(s, 1, 1) == "\\") {
            out = out unescaped[substr(s, 1, 2)]
            s = substr(s, 3)
        } else if (match(s, /^([\300-\337][\200-\277]|[\340-\357][\200-\277][\200-\277])/)) {
            u = substr(s, 1, RLENGTH)
            if (!(u in cp1252)) fail(FILENAME, FNR, "caractère sans octet Windows-1252")
            out = out cp1252[u]
            s = substr(s, RLENGTH + 1)
        } else {
            out = out substr(s, 1, 1)
            s = substr(s, 2)
        }
    }
    return out
}

/^[ \t\r]*$/ { next }
{
    sub(/\r$/, "")
    if ((k = index($0, "\"index\":")) == 0) fail(FILENAME, FNR, "clé « index » absente")
    i = substr($0, k + 8) + 0
    if (i < 0 || i > lastIndex) fail(FILENAME, FNR, "l'entrée " i " n'existe pas dans le catalogue")
    if ((k = index($0, "\"cells\": [")) == 0) fail(FILENAME, FNR, "clé « cells » absente")
    rest = substr($0, k + 10)
    # The lines qrnplan read prints, without an escape or a non-ASCII byte in their cells:
    # the six texts between "," separators.
    if (rest !~ /[\\\200-\377]/ && split(rest, cell, "\",\"") == 6) {
        cell[1] = substr(cell[1], 2)
        sub(/"\].*$/, "", cell[6])
    } else {
        for (c = 1; c <= 6; c++) {
            if (!match(rest, /^ *"([^"\\]|\\.)*"/))
                fail(FILENAME, FNR, "« cells » doit être un tableau de six textes")
            k = index(substr(rest, 1, RLENGTH), "\"")
            cell[c] = text(substr(rest, k + 1, RLENGTH - k - 1))
            rest = substr(rest, RLENGTH + 1)
            sub(/^ *[,\]] */, "", rest)
        }
    }
    for (c = 1; c <= 6; c++)
        if (length(cell[c]) > 10) fail(FILENAME, FNR, "valeur de plus de 10 caractères")
    printf "%-10s%-10s%-10s%-10s%-10s%-10s%-15s%s\r\n", cell[1], cell[2], cell[3], cell[4], cell[5],
           cell[6], planId[i], planTail[i]
}
