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
    n = split($0, t, / +/)
    if (n < 8) fail(FILENAME, FNR, "la ligne s'arrête avant la fin d'une valeur")
    if (!(t[7] in indexOf)) fail(FILENAME, FNR, "l'identifiant de plan « " t[7] " » n'existe pas")
    i = indexOf[t[7]]
    if (!(i in building)) building[i] = json(displayName[i])
    printf "{\"index\": %d, \"building\": %s, \"cells\": [%s,%s,%s,%s,%s,%s]}\n", i, building[i],
           json(t[1]), json(t[2]), json(t[3]), json(t[4]), json(t[5]), json(t[6])
}
