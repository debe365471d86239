#!/usr/bin/env python3
"""The built package's tables, read back with msiinfo: what the package is authored to do must be
in them, so that authoring wixl silently drops or misplaces fails here and not at a customer's.

    check_tables.py MSIINFO PACKAGE.msi...
"""
import os
import subprocess
import sys
import tempfile

failures = []

# msidbCustomActionType and msidbUpgradeAttributes bits.
DLL_IN_BINARY, PROPERTY_SET, DEFERRED, NO_IMPERSONATE = 1, 51, 0x400, 0x800
MIGRATE_FEATURES, ONLY_DETECT, INCLUDE_MINIMUM, INCLUDE_MAXIMUM = 1, 2, 0x100, 0x200
UI_DISALLOW_ABSENT = 16


def check(condition, message):
    if not condition:
        failures.append(message)


def table(msiinfo, package, name):
    # Exporting a table with streams (Icon) writes them into the current folder: a scratch one.
    with tempfile.TemporaryDirectory() as scratch:
        done = subprocess.run([msiinfo, "export", os.path.abspath(package), name], capture_output=True, text=True,
                              cwd=scratch)
    if done.returncode != 0:  # a table the package does not have: no rows
        return []
    lines = done.stdout.splitlines()
    columns = lines[0].split("\t")
    return [dict(zip(columns, line.split("\t"))) for line in lines[3:] if line]


def check_package(msiinfo, package):
    def rows(name):
        return table(msiinfo, package, name)

    properties = {r["Property"]: r["Value"] for r in rows("Property")}
    version = properties.get("ProductVersion", "")

    features = {r["Feature"]: r for r in rows("Feature")}
    check(features.get("ProgramFeature", {}).get("Feature_Parent") == "", "ProgramFeature is not the root")
    check(int(features.get("ProgramFeature", {}).get("Attributes", "0")) & UI_DISALLOW_ABSENT,
          "ProgramFeature may be made absent")
    for child in ("LogOnFeature", "StandInDriverFeature"):
        check(features.get(child, {}).get("Feature_Parent") == "ProgramFeature", f"{child} is not under ProgramFeature")

    upgrades = {r["ActionProperty"]: r for r in rows("Upgrade")}
    replace = upgrades.get("WIX_UPGRADE_DETECTED", {})
    attributes = int(replace.get("Attributes", "0"))
    check(replace.get("VersionMin") == "" and replace.get("VersionMax") == version,
          f"the upgrade row does not cover every version up to {version}: {replace}")
    check(attributes & INCLUDE_MAXIMUM and attributes & MIGRATE_FEATURES and not attributes & ONLY_DETECT,
          f"the upgrade row does not replace a release of the same three fields: {replace}")
    refuse = upgrades.get("WIX_DOWNGRADE_DETECTED", {})
    attributes = int(refuse.get("Attributes", "0"))
    check(refuse.get("VersionMin") == version and attributes & ONLY_DETECT and not attributes & INCLUDE_MINIMUM,
          f"the downgrade row does not detect only newer versions: {refuse}")

    actions = {r["Action"]: r for r in rows("CustomAction")}
    for name, deferred in (("CheckCachePresets", False), ("WriteCachePresets", True), ("PurgeSettings", True),
                           ("FulfilUpgradeOffer", True)):
        kind = int(actions.get(name, {}).get("Type", "0"))
        check(kind & 0x3F == DLL_IN_BINARY and actions[name]["Source"] == "PackageActions",
              f"{name} is not the package's DLL action")
        if deferred:
            check(kind & DEFERRED and kind & NO_IMPERSONATE, f"{name} does not run deferred as the system")
        else:
            check(not kind & DEFERRED, f"{name} is not immediate")
    for name, target in (("SetInstallLocation", "ARPINSTALLLOCATION"), ("SetHelpLink", "ARPHELPLINK"),
                         ("WriteCachePresetsData", "WriteCachePresets"), ("AddProgramFeature", "ADDLOCAL")):
        check(int(actions.get(name, {}).get("Type", "0")) & 0x3F == PROPERTY_SET and actions[name]["Source"] == target,
              f"{name} does not set {target}")
    check(actions.get("WriteCachePresetsData", {}).get("Target") == "[CACHEBLOCKSIZE];[CACHEMAXSIZE];[CACHEREFRESHTIMER]",
          "the presets' data is not the three properties in order")

    execute = {r["Action"]: int(r["Sequence"]) for r in rows("InstallExecuteSequence")}
    ui = {r["Action"]: int(r["Sequence"]) for r in rows("InstallUISequence")}

    def before(sequence, first, second, label):
        check(first in sequence and second in sequence and sequence[first] < sequence[second],
              f"{label}: {first} ({sequence.get(first)}) does not come before {second} ({sequence.get(second)})")

    for label, sequence in (("execute", execute), ("interface", ui)):
        before(sequence, "AppSearch", "CostFinalize", label)
        before(sequence, "CheckCachePresets", "CostFinalize", label)
        before(sequence, "AddProgramFeature", "CostFinalize", label)
        before(sequence, "RemoveAllWithProgram", "CostFinalize", label)
    before(execute, "CheckCachePresets", "InstallInitialize", "execute")
    before(execute, "WriteCachePresetsData", "InstallInitialize", "execute")
    before(execute, "CostFinalize", "SetInstallLocation", "execute")
    before(execute, "SetInstallLocation", "InstallInitialize", "execute")
    before(execute, "SetHelpLink", "InstallInitialize", "execute")
    before(execute, "InstallInitialize", "RemoveExistingProducts", "execute")
    before(execute, "RemoveExistingProducts", "ProcessComponents", "execute")
    before(execute, "WriteRegistryValues", "WriteCachePresets", "execute")
    before(execute, "RemoveRegistryValues", "PurgeSettings", "execute")
    # Presets reach the administrators' Cache key in a first install or an upgrade (a new product
    # code), and in a maintenance run only when an administrator runs it: AdminUser means that
    # only with MSIUSEREALADMINDETECTION (else it is set for any user of an elevated install).
    conditions = {r["Action"]: r["Condition"] for r in rows("InstallExecuteSequence")}
    for name in ("WriteCachePresetsData", "WriteCachePresets"):
        check(conditions.get(name) == 'NOT (REMOVE~="ALL") AND (NOT Installed OR AdminUser)',
              f"{name} runs in someone else's repair: {conditions.get(name)}")
    check(properties.get("MSIUSEREALADMINDETECTION") == "1", "AdminUser is set for every elevated user")
    # No custom grant of registry rights: the keys keep what they inherit (administrators write).
    check("GrantUsersGeneralKey" not in actions and "GrantUsersGeneralKey" not in execute,
          "the package still grants users rights on a key")
    # The program folder's own access list, wherever INSTALLDIR is, before any file is copied in;
    # a folder that cannot be protected refuses the install.
    protect = actions.get("ProtectProgramFolder", {})
    kind = int(protect.get("Type", "0"))
    check(kind & 0x3F == DLL_IN_BINARY and protect.get("Source") == "PackageActions" and kind & DEFERRED
          and kind & NO_IMPERSONATE and not kind & 0x40, f"ProtectProgramFolder is not a checked system action: {protect}")
    data = actions.get("ProtectProgramFolderData", {})
    check(int(data.get("Type", "0")) & 0x3F == PROPERTY_SET and data.get("Source") == "ProtectProgramFolder"
          and data.get("Target") == "[INSTALLDIR]", f"ProtectProgramFolder is not given INSTALLDIR: {data}")
    before(execute, "CostFinalize", "ProtectProgramFolderData", "execute")
    before(execute, "ProtectProgramFolderData", "InstallInitialize", "execute")
    before(execute, "RemoveExistingProducts", "ProtectProgramFolder", "execute")
    before(execute, "ProtectProgramFolder", "InstallFiles", "execute")
    check(conditions.get("ProtectProgramFolder") == 'NOT REMOVE~="ALL"', "the folder is not protected in every install")
    # The offer's marks go after every other change of the install.
    last = max((s, a) for a, s in execute.items() if s < execute.get("InstallFinalize", 0))
    check(last[1] == "FulfilUpgradeOffer", f"the last action before InstallFinalize is {last[1]}")

    searches = {r["Property"]: r["Signature_"] for r in rows("AppSearch")}
    locators = {r["Signature_"]: r for r in rows("RegLocator")}
    found = locators.get(searches.get("INSTALLDIR", ""), {})
    check(found.get("Key", "").lower() == "software\\nolvex\\velmora" and found.get("Name") == "InstalledDirectory"
          and int(found.get("Root", "-1")) == 2 and int(found.get("Type", "0")) & 16,
          f"INSTALLDIR is not found from InstalledDirectory (64-bit view): {found}")

    services = {r["Name"]: r for r in rows("ServiceInstall")}
    service = services.get("vlifs95sim", {})
    check(service.get("StartType") == "2" and service.get("Arguments") == "--service"
          and service.get("Component_") == "StandInDriver", f"the stand-in service: {service}")
    controls = {r["Name"]: r for r in rows("ServiceControl")}
    # Start at install (1), stop at install and uninstall (2, 32), delete at uninstall (128); wait.
    check(controls.get("vlifs95sim", {}).get("Event") == "163" and controls["vlifs95sim"].get("Wait") == "1",
          f"the stand-in service's control: {controls.get('vlifs95sim')}")

    secure = set(properties.get("SecureCustomProperties", "").split(";"))
    for name in ("CACHEBLOCKSIZE", "CACHEMAXSIZE", "CACHEREFRESHTIMER", "PURGE", "WIX_UPGRADE_DETECTED",
                 "WIX_DOWNGRADE_DETECTED"):
        check(name in secure, f"{name} is not a secure property")
    check(properties.get("ARPNOMODIFY") == "1", "Programs and Features offers Modify")
    icons = {r["Name"] for r in rows("Icon")}
    check(properties.get("ARPPRODUCTICON") in icons, "ARPPRODUCTICON names no icon of the package")


def main(msiinfo, *packages):
    for package in packages:
        before = len(failures)
        check_package(msiinfo, package)
        for failure in failures[before:]:
            print(f"FAIL: {package}: {failure}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
