"""Validates JSON files against a JSON Schema (draft 2020-12).

Usage: validate_schema.py SCHEMA FILE... ; exit status 0 when every file is valid.
"""
import json
import sys

import jsonschema

schema = json.load(open(sys.argv[1], encoding="utf-8"))
validator = jsonschema.Draft202012Validator(schema)
failed = False
for path in sys.argv[2:]:
    for error in validator.iter_errors(json.load(open(path, encoding="utf-8"))):
        print(f"{path}: {error.json_path}: {error.message}")
        failed = True
sys.exit(1 if failed else 0)
