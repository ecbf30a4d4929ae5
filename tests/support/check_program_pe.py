#!/usr/bin/env python3
"""Checks the built program file the way a player's PC will meet it: a 32-bit
GUI executable for Windows XP SP3 and later, needing no DLL beyond those that
ship with Windows, and importing no function that Windows XP lacks.

usage: check_program_pe.py PROGRAM.exe OBJDUMP
"""

import os
import re
import subprocess
import sys

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "comctl32.dll",
               "ole32.dll", "oleaut32.dll", "msvcrt.dll", "shell32.dll", "shlwapi.dll"}

# Functions that the toolchain's runtimes are known to reach for and that
# Windows XP SP3 does not have (Vista and later).
NOT_ON_XP = re.compile(r"^(GetTickCount64|InitializeCriticalSectionEx|InitOnce\w*|\w*SRWLock\w*|"
                       r"\w*ConditionVariable\w*|Create(Event|Mutex|Semaphore|WaitableTimer)Ex[AW]|"
                       r"Fls(Alloc|Free|GetValue|SetValue)|GetFileInformationByHandleEx|"
                       r"SetFileInformationByHandle|CompareStringEx|LCMapStringEx|GetLocaleInfoEx|"
                       r"LocaleNameToLCID|LCIDToLocaleName|GetUserDefaultLocaleName|GetErrorMode|"
                       r"(Get|Set)ThreadErrorMode|GetFinalPathNameByHandle[AW]|CreateSymbolicLink[AW]|"
                       r"QueryFullProcessImageName[AW]|GetCurrentProcessorNumber|RegGetValue[AW]|"
                       r"RegDeleteTree[AW]|RegSetKeyValue[AW]|RegCopyTree[AW]|RegDeleteKeyEx[AW]|"
                       r"SetProcessDPIAware|ChangeWindowMessageFilter\w*|GetDpiFor\w+|"
                       r"\w+DpiAwareness\w*|ShutdownBlockReason\w+|\w+_s)$")


def main():
    exe, objdump = sys.argv[1], sys.argv[2]
    # objdump translates its labels: read them in the C locale.
    env = dict(os.environ, LC_ALL="C", LANG="C")
    headers = subprocess.run([objdump, "-p", exe], capture_output=True, text=True, check=True, env=env).stdout
    failures = []

    def expect(pattern, what):
        if not re.search(pattern, headers, re.M):
            failures.append(what)

    expect(r"file format pei-i386$", "a 32-bit (i386) executable")
    expect(r"^Subsystem\s+00000002", "the GUI subsystem (no console window)")
    expect(r"^MajorSubsystemVersion\s+5$", "subsystem version 5.01 (Windows XP)")
    expect(r"^MinorSubsystemVersion\s+1$", "subsystem version 5.01 (Windows XP)")
    expect(r"^MajorOSystemVersion\s+5$", "OS version 5.1 (Windows XP)")

    dll = None
    for line in headers.splitlines():
        found = re.match(r"\s*DLL Name: (\S+)", line)
        if found:
            dll = found.group(1).lower()
            if dll not in SYSTEM_DLLS:
                failures.append(f"imports {dll}, which does not ship with Windows")
            continue
        entry = re.match(r"\s+[0-9a-f]+\s+\d+\s+(\w+)$", line)
        if dll and entry and NOT_ON_XP.match(entry.group(1)):
            failures.append(f"imports {dll}!{entry.group(1)}, which Windows XP lacks")

    for failure in failures:
        print("FAIL:", failure)
    print(f"{exe}: {'ok' if not failures else 'not fit for Windows XP'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
