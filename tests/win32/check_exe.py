#!/usr/bin/python3
"""Checks a built quenlor.exe as a file: machine, GUI subsystem, hardening
(ASLR with its relocations, DEP, stack protector), imports from system DLLs
only, version resources, icon and manifest. The hardening probe, built with the
same options, shows the checked calls that the program has nothing for.

usage: check_exe.py <quenlor.exe> <pointer size: 4 or 8> <hardening_probe.exe>
"""
import os
import sys

import pefile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.realpath(__file__)), ".."))
from checks import done, expect  # noqa: E402

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "msvcrt.dll",
               "advapi32.dll", "shell32.dll", "ole32.dll"}


def main():
    path, pointer_size, probe = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    pe = pefile.PE(path)
    flags = pe.OPTIONAL_HEADER.DllCharacteristics
    machine = pe.FILE_HEADER.Machine
    if pointer_size == 4:
        expect(machine == 0x14C, "machine is i386")
    else:
        expect(machine == 0x8664, "machine is x86-64")
        expect(flags & 0x0020, "high-entropy ASLR")
    expect(pe.OPTIONAL_HEADER.Subsystem == 2, "GUI subsystem")
    expect(flags & 0x0040, "ASLR (dynamic base)")
    expect(flags & 0x0100, "DEP (NX compatible)")
    relocations = pe.OPTIONAL_HEADER.DATA_DIRECTORY[5]  # IMAGE_DIRECTORY_ENTRY_BASERELOC
    expect(not pe.FILE_HEADER.Characteristics & 0x0001 and relocations.Size > 0,
           f"base relocations kept for ASLR ({relocations.Size} bytes)")

    # The symbol table names what was linked in; each is linked only when called.
    with open(path, "rb") as exe:
        expect(b"__stack_chk_fail" in exe.read(), "stack protector, its support linked in")
    with open(probe, "rb") as exe:
        linked = exe.read()
    expect(b"__memset_chk" in linked, "checked calls, in the probe")

    imports = {entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT}
    expect(imports <= SYSTEM_DLLS, f"imports only system DLLs: {sorted(imports)}")

    fixed = pe.VS_FIXEDFILEINFO[0]
    expect((fixed.FileVersionMS, fixed.FileVersionLS) == (0x10000, 0), "file version 1.0.0.0")
    expect((fixed.ProductVersionMS, fixed.ProductVersionLS) == (0x10000, 0),
           "product version 1.0.0.0")
    strings = {}
    for info in pe.FileInfo[0]:
        for table in getattr(info, "StringTable", []):
            strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    expect(strings.get("FileVersion") == "1.00", "FileVersion string 1.00")
    expect(strings.get("ProductVersion") == "1.00", "ProductVersion string 1.00")
    expect(strings.get("ProductName") == "Quenlor", "ProductName Quenlor")
    expect(bool(strings.get("FileDescription")), "a FileDescription")

    icons, manifest = [], b""
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        for entry in kind.directory.entries:
            for language in entry.directory.entries:
                data = pe.get_data(language.data.struct.OffsetToData, language.data.struct.Size)
                if kind.id == 14:  # RT_GROUP_ICON
                    count = int.from_bytes(data[4:6], "little")
                    for i in range(count):
                        row = data[6 + 14 * i:6 + 14 * (i + 1)]
                        icons.append((row[0] or 256, int.from_bytes(row[6:8], "little")))
                if kind.id == 24:  # RT_MANIFEST
                    manifest = data
    expect((32, 8) in icons, f"a 32x32 256-colour icon among {icons}")
    expect(any(size >= 48 for size, _ in icons), "a large icon for modern shells")
    expect(b'level="asInvoker"' in manifest, "manifest runs as invoker")
    expect(b"PerMonitorV2" in manifest, "manifest declares per-monitor DPI awareness")
    done()


if __name__ == "__main__":
    main()
