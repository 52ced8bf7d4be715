"""The functions quillon.exe imports, as the loader reads them: a system as
old as the version its header claims must have every one, or it refuses to
start the program. Functions looked up by name at run time are not in the
table and may be newer."""
import os
import re
import subprocess
import unittest

# Functions newer than Windows XP x64 / Server 2003 (5.2) that a program
# built with MinGW-w64 (its C runtime, threads and C++ library) or our own
# code could import, with the version that brought them.
NEWER = {
    **dict.fromkeys((
        "GetTickCount64", "InitializeCriticalSectionEx", "InitOnceExecuteOnce", "InitOnceBeginInitialize",
        "InitOnceComplete", "InitializeSRWLock", "AcquireSRWLockExclusive", "AcquireSRWLockShared",
        "ReleaseSRWLockExclusive", "ReleaseSRWLockShared", "InitializeConditionVariable",
        "SleepConditionVariableCS", "SleepConditionVariableSRW", "WakeConditionVariable",
        "WakeAllConditionVariable", "CreateEventExA", "CreateEventExW", "CreateSemaphoreExW",
        "CreateMutexExW", "GetUserPreferredUILanguages", "LocaleNameToLCID", "LCIDToLocaleName",
        "GetLocaleInfoEx", "CompareStringEx", "LCMapStringEx", "GetUserDefaultLocaleName",
        "GetFileInformationByHandleEx", "SetFileInformationByHandle", "GetFinalPathNameByHandleW",
        "QueryFullProcessImageNameA", "QueryFullProcessImageNameW", "CancelIoEx", "GetErrorMode",
        "RegDeleteTreeA", "RegDeleteTreeW", "RegSetKeyValueA", "RegSetKeyValueW", "RegLoadMUIStringW",
        "ShutdownBlockReasonCreate", "ShutdownBlockReasonDestroy", "SetProcessDPIAware",
        "CreateSymbolicLinkW"), (6, 0)),
    **dict.fromkeys((
        "TryAcquireSRWLockExclusive", "TryAcquireSRWLockShared", "SetThreadErrorMode",
        "GetThreadErrorMode", "ChangeWindowMessageFilterEx"), (6, 1)),
    **dict.fromkeys((
        "GetSystemTimePreciseAsFileTime", "SetDefaultDllDirectories", "AddDllDirectory",
        "RemoveDllDirectory", "CreateFile2", "GetCurrentThreadStackLimits"), (6, 2)),
    **dict.fromkeys(("SetProcessDpiAwarenessContext", "GetDpiForWindow", "GetDpiForSystem",
                     "SystemParametersInfoForDpi", "AdjustWindowRectExForDpi"), (10, 0)),
}


def header_version(dump):
    """The subsystem version the header claims, which the loader checks."""
    major = re.search(r"^MajorSubsystemVersion\s+(\d+)", dump, re.M)
    minor = re.search(r"^MinorSubsystemVersion\s+(\d+)", dump, re.M)
    return int(major.group(1)), int(minor.group(1))


def imports(dump):
    """Each function of the import table, with its library."""
    found, library = [], None
    for line in dump.splitlines():
        named = re.match(r"\s*DLL Name: (\S+)", line)
        if named:
            library = named.group(1)
        elif library and (entry := re.match(r"\s*[0-9a-f]+\s+\d+\s+(\w+)$", line)):
            found.append((library, entry.group(1)))
        elif not line.strip():
            library = None
    return found


def too_new(dump):
    version = header_version(dump)
    return sorted(f"{library}!{name} ({'.'.join(map(str, NEWER[name]))})"
                  for library, name in imports(dump) if NEWER.get(name, (0, 0)) > version)


class ImportsTest(unittest.TestCase):
    def test_nothing_newer_than_the_header_claims(self):
        dump = subprocess.run([os.environ.get("QUILLON_OBJDUMP", "x86_64-w64-mingw32-objdump"), "-p",
                               os.environ["QUILLON_EXE"]], check=True, capture_output=True, text=True).stdout
        self.assertGreater(len(imports(dump)), 20, "the import table was not read")
        self.assertEqual(too_new(dump), [], f"the header claims {header_version(dump)}")

    def test_a_planted_import_is_caught(self):
        dump = ("MajorSubsystemVersion\t5\nMinorSubsystemVersion\t2\n"
                "\tDLL Name: KERNEL32.dll\n\tvma:  Hint/Ord Member-Name Bound-To\n"
                "\td8a1c\t  706  GetTickCount\n\td8a2c\t  707  GetTickCount64\n\n")
        self.assertEqual(too_new(dump), ["KERNEL32.dll!GetTickCount64 (6.0)"])


if __name__ == "__main__":
    unittest.main()
