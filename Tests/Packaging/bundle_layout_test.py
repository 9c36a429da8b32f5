#!/usr/bin/env python3
"""The data source bundle as macOS loads it: Info.plist from its template, DeviceInfo.plist, and
one export list per module whose ld64 form names exactly what the Linux build exports."""
import argparse
import plistlib
import subprocess
import sys
from pathlib import Path

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def info_plist(args):
    values = {
        "MACOSX_BUNDLE_EXECUTABLE_NAME": "VendorDS",
        "MACOSX_BUNDLE_GUI_IDENTIFIER": "com.example.vendor.ds",
        "MACOSX_BUNDLE_BUNDLE_NAME": "VendorDS",
        "MACOSX_BUNDLE_BUNDLE_VERSION": "2.3.4",
        "MACOSX_BUNDLE_SHORT_VERSION_STRING": "2.3",
    }
    out = Path(args.work) / "Info.plist"
    template = Path(args.source) / "Mac/DSEntry2/Info.plist.in"
    subprocess.run([args.cmake, *[f"-D{k}={v}" for k, v in values.items()], f"-DIN={template}",
                    f"-DOUT={out}", "-P", str(Path(__file__).with_name("FillInfoPlist.cmake"))],
                   check=True)
    text = out.read_bytes()
    check(b"${" not in text and b"@" not in text, "Info.plist: a value was left unfilled")
    plist = plistlib.loads(text)
    expected = {
        "CFBundlePackageType": "BNDL",
        "CFBundleExecutable": "VendorDS",
        "CFBundleIdentifier": "com.example.vendor.ds",
        "CFBundleName": "VendorDS",
        "CFBundleInfoDictionaryVersion": "6.0",
        "CFBundleVersion": "2.3.4",
        "CFBundleShortVersionString": "2.3",
        "CFBundleSignature": "????",
        "CFBundleDevelopmentRegion": "English",
    }
    check(plist == expected, f"Info.plist: {plist} != {expected}")


def device_info(args):
    plist = plistlib.loads((Path(args.source) / "Mac/DSEntry2/DeviceInfo.plist").read_bytes())
    check(isinstance(plist, dict) and plist and all(isinstance(v, str) for v in plist.values()),
          f"DeviceInfo.plist: not a dictionary of texts: {plist}")


def exports(args):
    for version_script, binary in (("Mac/DSEntry2/TwainMonitor.exports", args.module),
                                   ("SampleDriver/TwainWrapper/TwainWrapper.exports",
                                    args.driver)):
        out = Path(args.work) / (Path(version_script).stem + ".exported_symbols")
        subprocess.run([args.cmake, f"-DVERSION_SCRIPT={Path(args.source) / version_script}",
                        f"-DOUTPUT={out}", "-P",
                        str(Path(args.source) / "cmake/ExportList.cmake")], check=True)
        ld64 = out.read_text().split()
        check(all(n.startswith("_") for n in ld64), f"{out.name}: a name without '_'")
        nm = subprocess.run(["nm", "-D", "--defined-only", binary], check=True,
                            capture_output=True, text=True).stdout.split("\n")
        exported = {line.split()[-1].split("@")[0] for line in nm if line.strip()}
        check(len(ld64) == len(set(ld64)) and {n[1:] for n in ld64} == exported,
              f"{out.name}: {sorted(ld64)} is not what {Path(binary).name} exports: "
              f"{sorted(exported)}")


def main():
    parser = argparse.ArgumentParser()
    for option in ("cmake", "source", "work", "module", "driver"):
        parser.add_argument(f"--{option}", required=True)
    args = parser.parse_args()
    for test in (info_plist, device_info, exports):
        test(args)
    for failure in failures:
        print("FAILED:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
