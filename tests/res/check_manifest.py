#!/usr/bin/env python3
"""Checks the settings of the window program's built manifest: per-monitor
DPI awareness (v2, with the per-monitor fallback and the older element),
long paths, UTF-8 as the code page, and Windows 7 to 11 as supported systems.
   check_manifest.py MANIFEST"""
import sys
import xml.etree.ElementTree as ET

SETTINGS_2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
SETTINGS_2016 = "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}"
SETTINGS_2019 = "{http://schemas.microsoft.com/SMI/2019/WindowsSettings}"
COMPATIBILITY = "{urn:schemas-microsoft-com:compatibility.v1}"
SYSTEMS = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "Windows 7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "Windows 8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "Windows 8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "Windows 10 and 11",
}

root = ET.parse(sys.argv[1]).getroot()
failures = []


def setting(namespace, name):
    found = root.findall(f".//{namespace}{name}")
    return found[0].text.strip() if len(found) == 1 and found[0].text else None


for namespace, name, expected in [
    (SETTINGS_2016, "dpiAwareness", "PerMonitorV2, PerMonitor"),
    (SETTINGS_2005, "dpiAware", "true/pm"),
    (SETTINGS_2016, "longPathAware", "true"),
    (SETTINGS_2019, "activeCodePage", "UTF-8"),
]:
    if setting(namespace, name) != expected:
        failures.append(f"{name} is {setting(namespace, name)!r}, not {expected!r}")
supported = {e.get("Id") for e in root.findall(f".//{COMPATIBILITY}supportedOS")}
for system_id, system in SYSTEMS.items():
    if system_id not in supported:
        failures.append(f"{system} is not a supported system")

for failure in failures:
    print("FAIL:", failure, file=sys.stderr)
sys.exit(1 if failures else 0)
