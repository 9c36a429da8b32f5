#!/usr/bin/env python3
"""The built bundles as a Mac loads them, one check per command:

  layout   each bundle is <name>.<ext>/Contents/MacOS/<name>, nothing nested in it, with the
           resources asked for; on macOS also a Contents/Info.plist with the keys CFBundle needs
  headers  each executable is an MH_BUNDLE of exactly the architectures asked for, each slice
           with the deployment target asked for (LC_BUILD_VERSION), the arm64 slice signed
  exports  each executable's export trie is its export list, nothing more and nothing less
  imports  each executable's undefined symbols are ones the link stubs provide, and every stub
           symbol is used by some executable

A bundle is given as PATH (its executable is the folder's name without extension); the Mach-O
checks take the LLVM tools and, per bundle, NAME=VALUE options."""
import argparse
import os
import plistlib
import shutil
import re
import subprocess
import sys
from pathlib import Path

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def executable(bundle):
    return bundle / "Contents" / "MacOS" / bundle.stem


def named(pairs):
    return dict(pair.split("=", 1) for pair in pairs or [])


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def layout(args):
    resources, data_sources = named(args.resource), named(args.data_source)
    for bundle in map(Path, args.bundles):
        name = bundle.stem
        check(executable(bundle).is_file(), f"{bundle}: no Contents/MacOS/{name}")
        macos = bundle / "Contents" / "MacOS"
        extra = sorted(p.name for p in macos.iterdir() if p.name != name) if macos.is_dir() else []
        check(not extra, f"{bundle}: Contents/MacOS holds more than {name}: {extra}")
        nested = [p for p in bundle.rglob("*") if p.is_dir() and p.suffix in (".bundle", ".ds")]
        check(not nested, f"{bundle}: a bundle nested in it: {nested}")
        for relative in filter(None, [resources.get(name)]):
            path = bundle / "Contents" / "Resources" / relative
            check(path.is_file(), f"{bundle}: no Contents/Resources/{relative}")
            if path.is_file() and path.suffix == ".plist":
                check(isinstance(plistlib.loads(path.read_bytes()), dict),
                      f"{path}: not a dictionary")
        if data_sources.get(name):
            path = bundle / "Contents" / "Resources" / "DataSource.txt"
            text = path.read_text() if path.is_file() else None
            check(text == data_sources[name] + "\n", f"{path}: {text!r}")
        if args.platform == "darwin":
            info_plist(bundle)


def info_plist(bundle):
    path = bundle / "Contents" / "Info.plist"
    if not path.is_file():
        return check(False, f"{bundle}: no Contents/Info.plist")
    info = plistlib.loads(path.read_bytes())
    expected = {"CFBundleExecutable": bundle.stem, "CFBundleName": bundle.stem,
                "CFBundlePackageType": "BNDL", "CFBundleInfoDictionaryVersion": "6.0"}
    check(all(info.get(k) == v for k, v in expected.items()),
          f"{path}: {info} does not have {expected}")
    check(re.fullmatch(r"[A-Za-z0-9-]+(\.[A-Za-z0-9-]+)+", info.get("CFBundleIdentifier", "")),
          f"{path}: CFBundleIdentifier {info.get('CFBundleIdentifier')!r}")
    for key in ("CFBundleVersion", "CFBundleShortVersionString"):
        check(re.fullmatch(r"\d+(\.\d+)*", info.get(key, "")), f"{path}: {key} {info.get(key)!r}")


def load_commands(args, binary, arch):
    return run(args.objdump, "--macho", f"--arch={arch}", "--private-headers", binary)


def headers(args):
    minimum = named(args.minos)
    for bundle in map(Path, args.bundles):
        binary = executable(bundle)
        archs = run(args.lipo, "-archs", binary).split()
        check(sorted(archs) == sorted(minimum), f"{binary}: architectures {archs}")
        for arch in archs:
            text = load_commands(args, binary, arch)
            check(re.search(r"^\s*MH_MAGIC_64\s+\S+\s+\S+\s+\S+\s+BUNDLE\s", text, re.M),
                  f"{binary} ({arch}): not an MH_BUNDLE")
            build = re.search(r"cmd LC_BUILD_VERSION\n\s*cmdsize \d+\n\s*platform (\S+)\n"
                              r"\s*sdk \S+\n\s*minos (\S+)", text)
            check(build and build.groups() == ("macos", minimum.get(arch)),
                  f"{binary} ({arch}): LC_BUILD_VERSION {build and build.groups()}, "
                  f"not macos {minimum.get(arch)}")
            check(arch != "arm64" or "cmd LC_CODE_SIGNATURE" in text,
                  f"{binary} ({arch}): no code signature")


def export_list(version_script):
    text = re.sub(r"/\*.*?\*/", "", Path(version_script).read_text(), flags=re.S)
    return {"_" + n for n in re.findall(r"[A-Za-z_]\w*", text.split("global:")[1].split("local:")[0])}


def exports(args):
    lists = named(args.exports)
    for bundle in map(Path, args.bundles):
        binary = executable(bundle)
        for arch in run(args.lipo, "-archs", binary).split():
            trie = run(args.objdump, "--macho", f"--arch={arch}", "--exports-trie", binary)
            names = re.findall(r"^0x[0-9A-Fa-f]+\s+(\S+)", trie, re.M)
            expected = export_list(lists[bundle.stem])
            check(len(names) == len(set(names)) and set(names) == expected,
                  f"{binary} ({arch}): exports {sorted(names)}, its list {sorted(expected)}")


def stub_symbols(paths):
    """{arch: {symbol: stub}} of text-based stubs (tbd-version 4)."""
    symbols = {}
    for path in paths:
        text = re.sub(r"#.*", "", Path(path).read_text())
        for targets, names in re.findall(r"-\s*targets:\s*\[([^\]]*)\]\s*symbols:\s*\[([^\]]*)\]",
                                         text):
            for target in re.findall(r"[\w-]+", targets):
                for name in re.findall(r"[^\s,]+", names):
                    symbols.setdefault(target.split("-")[0], {})[name] = Path(path).name
    return symbols


def imports(args):
    stubs = stub_symbols(args.stubs)
    used = {}
    for bundle in map(Path, args.bundles):
        binary = executable(bundle)
        for arch in run(args.lipo, "-archs", binary).split():
            undefined = set(run(args.nm, f"--arch={arch}", "-u", "-j", binary).split())
            unknown = sorted(undefined - set(stubs.get(arch, {})))
            check(not unknown, f"{binary} ({arch}): undefined, in no stub: {unknown}")
            used.setdefault(arch, set()).update(undefined)
    for arch, names in used.items():
        unused = sorted(f"{n} ({stubs[arch][n]})" for n in set(stubs.get(arch, {})) - names)
        check(not unused, f"stub symbols no bundle uses ({arch}): {unused}")


def install(args):
    """cmake --install into a scratch root, with this script standing in for codesign."""
    work = Path(args.work)
    for identity in ("", "Developer ID Application: Example (TEAMID1234)"):
        shutil.rmtree(work, ignore_errors=True)
        work.mkdir(parents=True)
        log = work / "codesign.log"
        env = dict(os.environ, DESTDIR=str(work / "root"), TWAINMON_CODESIGN=__file__,
                   TWAINMON_CODESIGN_IDENTITY=identity, TWAINMON_CODESIGN_LOG=str(log))
        subprocess.run([args.cmake, "--install", args.build, "--prefix", "/opt/twain"],
                       env=env, check=True, capture_output=True)
        root = work / "root"
        data_source = Path(args.bundles[0]).name
        installed = [root / args.data_source_dir.lstrip("/") / data_source,
                     *[root / "opt/twain/lib/twain" / Path(b).name for b in args.bundles[1:]]]
        args.platform = "darwin"
        layout(argparse.Namespace(**{**vars(args), "bundles": installed}))
        signed = log.read_text().splitlines() if log.is_file() else []
        expected = [f"--force --sign {identity or '-'} {b}" for b in installed]
        check(sorted(signed) == sorted(expected), f"signed {signed}, not {expected}")


def main():
    if os.environ.get("TWAINMON_CODESIGN_LOG"):  # standing in for codesign: records the call
        with open(os.environ["TWAINMON_CODESIGN_LOG"], "a") as log:
            log.write(" ".join(sys.argv[1:]) + "\n")
        return 0
    parser = argparse.ArgumentParser()
    parser.add_argument("command", choices=("layout", "headers", "exports", "imports", "install"))
    for option in ("cmake", "build", "work", "data-source-dir"):
        parser.add_argument(f"--{option}")
    parser.add_argument("bundles", nargs="+")
    parser.add_argument("--platform", choices=("darwin", "linux"), default="darwin")
    for tool in ("objdump", "lipo", "nm"):
        parser.add_argument(f"--{tool}")
    for option in ("resource", "data-source", "minos", "exports"):
        parser.add_argument(f"--{option}", action="append", metavar="NAME=VALUE")
    parser.add_argument("--stubs", nargs="*")
    args = parser.parse_args()
    globals()[args.command](args)
    for failure in failures:
        print("FAILED:", failure)
    print(f"{args.command}: {len(args.bundles)} bundles, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
