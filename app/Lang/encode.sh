#!/usr/bin/env bash
# Writes the shipped language and read-me files, in their code pages, from the
# UTF-8 texts in source/. Run it after editing a text in source/; the tests
# check that both stay the same text.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

encode() {  # code page, source, target
    iconv -f UTF-8 -t "$1" "source/$2" >"$3.tmp"
    mv "$3.tmp" "$3"
}

encode CP1250 Lang-EN.utf8.ini Lang-EN.ini
encode CP950 Lang-TW.utf8.ini Lang-TW.ini
encode CP936 Lang-CN.utf8.ini Lang-CN.ini
encode CP1251 Lang-RU.utf8.ini Lang-RU.ini
encode CP1250 ReadMe-EN_LUMOWORKS.utf8.txt ReadMe-EN_LUMOWORKS.txt
encode CP950 ReadMe-TW.utf8.txt ReadMe-TW.txt
encode CP936 ReadMe-CN.utf8.txt ReadMe-CN.txt
encode CP1251 ReadMe-RU.utf8.txt ReadMe-RU.txt
