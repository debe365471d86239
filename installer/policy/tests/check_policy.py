#!/usr/bin/env python3
"""The Group Policy template against the rules the installer and the program apply.

    check_policy.py RULES_PROGRAM Velmora.admx en-US/Velmora.adml

Both files must be well-formed XML; every policy writes a REG_DWORD under the program's policy
key (below SOFTWARE\\Policies, so that removing a policy removes its value), under its own value
name, within the presets' range in stored units (the block size as exactly its three choices);
every string and presentation the template names is in the language file, whose defaults are
the program's.
"""
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

NS = {"p": "http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions"}
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def rules_of(program):
    lines = subprocess.run([program], check=True, capture_output=True, text=True).stdout.splitlines()
    key = lines[0].split(" ", 1)[1]
    rules = {}
    for line in lines[1:]:
        fields = line.split()
        name, low, high, default = fields[0], int(fields[1]), int(fields[2]), int(fields[3])
        choices = [int(c) for c in fields[4].split(",")] if len(fields) > 4 else None
        rules[name] = (low, high, default, choices)
    return key, rules


def main(program, admx_path, adml_path):
    key, rules = rules_of(program)
    admx = ET.parse(admx_path).getroot()  # raises on a file that is not well-formed
    adml = ET.parse(adml_path).getroot()
    strings = {s.get("id"): s.text for s in adml.iterfind(".//p:stringTable/p:string", NS)}
    presentations = {p.get("id"): p for p in adml.iterfind(".//p:presentationTable/p:presentation", NS)}
    text = open(admx_path, encoding="utf-8").read()
    for ref in re.findall(r"\$\(string\.([A-Za-z0-9_]+)\)", text):
        check(ref in strings, f"string {ref} is not in {adml_path}")
    for ref in re.findall(r"\$\(presentation\.([A-Za-z0-9_]+)\)", text):
        check(ref in presentations, f"presentation {ref} is not in {adml_path}")

    seen = set()
    for policy in admx.iterfind(".//p:policies/p:policy", NS):
        name = policy.get("name")
        check(policy.get("class") == "Machine", f"{name}: not a machine policy")
        check(policy.get("key") == key, f"{name}: key {policy.get('key')}, the program reads {key}")
        check(policy.get("key", "").upper().startswith("SOFTWARE\\POLICIES\\"),
              f"{name}: {policy.get('key')} is a preference, not a policy")
        elements = list(policy.find("p:elements", NS))
        check(len(elements) == 1, f"{name}: one element expected")
        element = elements[0]
        value = element.get("valueName")
        check(value in rules, f"{name}: value {value} is none of the program's {sorted(rules)}")
        if value not in rules:
            continue
        seen.add(value)
        low, high, default, choices = rules[value]
        shown = presentations.get(policy.get("presentation", "")[len("$(presentation."):-1])
        control = None if shown is None else next(iter(shown), None)
        check(control is not None and control.get("refId") == element.get("id"),
              f"{name}: the presentation does not show element {element.get('id')}")
        tag = element.tag.split("}")[1]
        if choices is not None:
            check(tag == "enum", f"{name}: the choices {choices} need an enum")
            offered = [int(d.get("value")) for d in element.iterfind("p:item/p:value/p:decimal", NS)]
            check(offered == choices, f"{name}: offers {offered}, the program takes {choices}")
            if control is not None:
                item = int(control.get("defaultItem", "0"))
                check(offered[item:item + 1] == [default], f"{name}: default item is not {default}")
        else:
            check(tag == "decimal" and element.get("storeAsText", "false") == "false",
                  f"{name}: not stored as a REG_DWORD")
            got = (int(element.get("minValue", "0")), int(element.get("maxValue", "9999")))
            check(got == (low, high), f"{name}: range {got}, the program takes {(low, high)}")
            if control is not None:
                check(int(control.get("defaultValue", "-1")) == default, f"{name}: default is not {default}")
    check(seen == set(rules), f"no policy for {sorted(set(rules) - seen)}")
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
