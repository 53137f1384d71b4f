# `qrnplan read CATALOGUE-given PLAN` in awk, the same bytes out, for the benchmarks:
#   LC_ALL=C awk -f catalogue.awk -f read.awk QRN.txt PLAN
BEGIN {
    loadCodePage()
    loadCatalogue(ARGV[1])
    ARGV[1] = ""
    RS = "\r\n|\n|\r"
    for (b = 0; b < 32; b++) escaped[sprintf("%c", b)] = sprintf("\\u%04x", b)
    escaped["\b"] = "\\b"; escaped["\t"] = "\\t"; escaped["\n"] = "\\n"
    escaped["\f"] = "\\f"; escaped["\r"] = "\\r"; escaped["\""] = "\\\""; escaped["\\"] = "\\\\"
}

# A Windows-1252 text as a JSON string in UTF-8.
function json(s,    out, i, c) {
    if (s !~ /[^ !#-\[\]-~]/) return "\"" s "\""
    out = ""
    for (i = 1; i <= length(s); i++) {
        c = substr(s, i, 1)
        out = out ((c in escaped) ? escaped[c] : utf8[c])
    }
    return "\"" out "\""
}

{
    if ($0 == "") fail(FILENAME, FNR, "ligne vide")
    # A value ends at a space and the spaces after it are skipped. awk's own splitting (much
    # the fastest) does that too, except for a line that starts with a space (an empty X) or
    # holds a tab: those are split at spaces only.
    if ($0 ~ /^ |\t/) {
        n = split($0, t, / +/)
        NF = n < 8 ? 7 : 8
        for (f = 1; f <= 7; f++) $f = t[f]
    } else if (substr($0, length($0)) == " ") {
        NF = NF + 1
    }
    if (NF < 8) fail(FILENAME, FNR, "la ligne s'arrête avant la fin d'une valeur")
    if (!($7 in indexOf)) fail(FILENAME, FNR, "l'identifiant de plan « " $7 " » n'existe pas")
    i = indexOf[$7]
    if (!(i in building)) building[i] = json(displayName[i])
    # Nearly every line is printable ASCII without a quote or a backslash: its values need no
    # escaping.
    if ($0 !~ /[^ !#-\[\]-~]/) {
        printf "{\"index\": %d, \"building\": %s, \"cells\": [\"%s\",\"%s\",\"%s\",\"%s\",\"%s\",\"%s\"]}\n",
               i, building[i], $1, $2, $3, $4, $5, $6
    } else {
        printf "{\"index\": %d, \"building\": %s, \"cells\": [%s,%s,%s,%s,%s,%s]}\n", i,
               building[i], json($1), json($2), json($3), json($4), json($5), json($6)
    }
}
