"""Reads the program's data files for checking: Windows-1250 INI files whose section and key names
match without regard to case. Values are unquoted and trimmed as the program reads them, and a
value stored in the escaped one-line form (starting with the marker \\~) is decoded."""

MARKER = "\\~"
ESCAPES = {"\\": "\\", "n": "\n", "r": "\r", "t": "\t", "0": "\0", "s": " "}


def decode_value(stored):
    if not stored.startswith(MARKER):
        return stored
    text = stored[len(MARKER):]
    out = []
    i = 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            nxt = text[i + 1]
            if nxt in ESCAPES:
                out.append(ESCAPES[nxt])
                i += 2
                continue
            if nxt == "u" and i + 6 <= len(text):
                out.append(chr(int(text[i + 2:i + 6], 16)))
                i += 6
                continue
        out.append(c)
        i += 1
    return "".join(out)


def read_ini(path):
    """{section lower-case: {key lower-case: value}}; the first of a repeated section or key wins.
    A missing file reads as no sections."""
    try:
        with open(path, "rb") as f:
            raw = f.read()
    except FileNotFoundError:
        return {}
    text = raw[3:].decode("utf-8") if raw.startswith(b"\xef\xbb\xbf") else raw.decode("cp1250")
    sections = {}
    current = None
    for line in text.splitlines():
        stripped = line.strip()
        if stripped.startswith(";"):
            continue
        if stripped.startswith("[") and "]" in stripped:
            name = stripped[1:stripped.rindex("]")].strip().lower()
            current = sections.setdefault(name, {}) if name not in sections else None
            continue
        if current is None or "=" not in line:
            continue
        key, value = line.split("=", 1)
        key = key.strip().lower()
        value = value.strip()
        if len(value) >= 2 and value[0] == value[-1] and value[0] in "\"'":
            value = value[1:-1]
        current.setdefault(key, decode_value(value))
    return sections
