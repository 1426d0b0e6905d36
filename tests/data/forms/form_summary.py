#!/usr/bin/python3
"""The interactive form of a PDF file as qpdf reads it, one fact a line.

Usage: form_summary.py FILE

Prints the catalog's /AcroForm entries other than /Fields, references
followed to their values (so /DR shows the fonts it names, whether written in
place or as objects of their own), the names of the fields /Fields lists,
then each field qpdf finds: its full name, type, value, parent and the page
of its widget. Two
files with the same form print the same text, whatever their object numbers.
"""
import json
import subprocess
import sys


def load(path, key):
    run = subprocess.run(["qpdf", "--json", "--json-key=" + key, path],
                         capture_output=True, text=True)
    # qpdf exits 3 for warnings; the JSON is still whole.
    if run.returncode not in (0, 3):
        sys.exit("qpdf failed: " + run.stderr)
    return json.loads(run.stdout)


def main():
    path = sys.argv[1]
    objects = load(path, "qpdf")["qpdf"][1]

    def direct(value):
        # A chain of references ends at its value; a loop gives None.
        seen = set()
        while isinstance(value, str) and value.endswith(" R") and value not in seen:
            seen.add(value)
            entry = objects.get("obj:" + value)
            value = entry.get("value") if entry else None
        return None if isinstance(value, str) and value in seen else value

    def resolve(value, path=()):
        # Every reference followed, but never into an object the path
        # already passes through.
        if isinstance(value, str) and value.endswith(" R"):
            if value in path:
                return "loop"
            path = path + (value,)
            value = direct(value)
        if isinstance(value, dict):
            return {k: resolve(v, path) for k, v in sorted(value.items())}
        if isinstance(value, list):
            return [resolve(v, path) for v in value]
        return value

    catalog = direct(objects["trailer"]["value"]["/Root"])
    form = direct(catalog.get("/AcroForm"))
    if form is None:
        print("no form")
        return
    for key in sorted(form):
        if key != "/Fields":
            print(key, json.dumps(resolve(form[key]), sort_keys=True))
    # The names of the fields the form itself lists: qpdf also counts widgets
    # with a field type as fields when no form lists them.
    listed = [(direct(field) or {}).get("/T") for field in direct(form.get("/Fields")) or []]
    print("/Fields", json.dumps(listed))
    for field in load(path, "acroform")["acroform"]["fields"]:
        parent = field["parent"]
        print("field", field["fullname"], field["fieldtype"], json.dumps(field["value"]),
              "with parent" if parent else "top", "page", field["pageposfrom1"],
              "state", field["annotation"]["appearancestate"])


main()
