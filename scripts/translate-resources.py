#!/usr/bin/env python3
"""Makes the resource scripts of another language from the English ones.

    translate-resources.py TABLE SOURCE_DIR OUTPUT_DIR

Copies every .rc file of SOURCE_DIR (resdll/) into OUTPUT_DIR with each
quoted text replaced by its translation from TABLE, so that one set of
templates serves every language. The table first names the language, as
the LANGUAGE statement spells it and as a language ID:

    language: LANG_GERMAN, SUBLANG_GERMAN
    langid: 0x407

then holds pairs of lines, the English text and its translation:

    en: Choose the destination folder
    de: Zielordner auswaehlen

written exactly as between the quotes of the scripts (escapes and '&' as
they stand there). The output is written in Windows-1252 with a code page
pragma, as the resource compiler reads it. Fails, naming them, when a text
of the scripts has no translation or a translation is never used, so that
no English text slips through unnoticed.
"""
import pathlib
import re
import sys

# Texts that are names, not words: class and font names.
KEEP = {"", "MS Shell Dlg", "Static", "SysListView32", "SysTreeView32"}
QUOTED = re.compile(r'"((?:[^"\\]|\\.)*)"')


def read_table(path):
    table, english, names = {}, None, {}
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        tag, _, text = line.partition(": ")
        if tag in ("language", "langid"):
            names[tag] = text
        elif tag == "en" and english is None:
            english = text
        elif tag == "de" and english is not None:
            table[english] = text
            english = None
        else:
            sys.exit(f"{path}:{number}: expected 'en: ' then 'de: ', got {line!r}")
    if set(names) != {"language", "langid"}:
        sys.exit(f"{path}: the table names no language (language: and langid: lines)")
    return table, names


def translate_line(line, table, names, missing, used, source_dir):
    stripped = line.lstrip()
    if stripped.startswith("#include"):
        # The library's own shared resources stay where they are.
        match = QUOTED.search(line)
        if match and match.group(1).startswith("../"):
            target = (source_dir / match.group(1)).resolve().as_posix()
            return line[: match.start()] + f'"{target}"' + line[match.end():]
        return line
    if stripped.startswith("//") or "BITMAP" in line.split('"')[0] or "ICON" in line.split('"')[0]:
        return line
    if stripped.startswith("LANGUAGE "):
        langid = int(names["langid"], 16)
        return (f"LANGUAGE {names['language']}\n"
                f"#define KELVRA_VERSION_LANGID {langid:#x}\n"
                f'#define KELVRA_VERSION_BLOCK "{langid:04X}04B0"\n')

    def replace(match):
        text = match.group(1)
        if text in KEEP:
            return match.group(0)
        if text not in table:
            missing.append(text)
            return match.group(0)
        used.add(text)
        return f'"{table[text]}"'

    return QUOTED.sub(replace, line)


def main():
    table_path, source_dir, output_dir = (pathlib.Path(a) for a in sys.argv[1:4])
    table, names = read_table(table_path)
    missing, used = [], set()
    output_dir.mkdir(parents=True, exist_ok=True)
    for source in sorted(source_dir.glob("*.rc")):
        lines = source.read_text(encoding="utf-8").splitlines(keepends=True)
        out = [translate_line(l, table, names, missing, used, source_dir.resolve()) for l in lines]
        if source.name == "Kelvrares.rc":
            out.insert(0, "#pragma code_page(1252)\n")
        target = output_dir / source.name
        text = "".join(out).encode("cp1252")
        if not target.exists() or target.read_bytes() != text:
            target.write_bytes(text)
    unused = sorted(set(table) - used)
    for text in missing:
        print(f"translate-resources: no translation of {text!r}", file=sys.stderr)
    for text in unused:
        print(f"translate-resources: translation never used: {text!r}", file=sys.stderr)
    return 1 if missing or unused else 0


if __name__ == "__main__":
    sys.exit(main())
