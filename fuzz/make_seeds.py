#!/usr/bin/env python3
"""Writes the seed corpus of the start-up and event targets (fuzz/corpus/startup, events).

The byte layout follows fuzz/registry_state.cpp: one byte for HKLM refusing writes (3), then
per value the program reads (version, toolbar switch, 22 buttons, 9 switches, 5 text values):
a choice byte (version: 0 a known version, 1 missing; others: 0 missing), a type byte (index
into NONE SZ EXPAND_SZ BINARY DWORD DWORD_BIG_ENDIAN MULTI_SZ QWORD) and a size choice (0-5:
0 1 3 4 5 8 bytes, 6: a length byte, 7: 1 MiB, 8: 16 KiB) with its bytes. Events follow."""
import os
import struct

READS = ["Version", "NoToolbarCustomize"] + [f"Btn{i}" for i in range(22)] + [
    "Append Completion", "DisablePasswordCaching", "IEWatsonDisabled", "FavIntelliMenus",
    "NoUpdateCheck", "about", "NoInternetIcon", "Flags", "Persistent",
    "Download Directory", "Window Title", "BackBitmap", "MaxConnectionsPerServer",
    "MaxConnectionsPer1_0Server"]
SZ, BINARY, DWORD, QWORD, EXPAND = 1, 3, 4, 7, 2
SIZES = {0: 0, 1: 1, 3: 2, 4: 3, 5: 4, 8: 5}


def value(type_index, data=b"", huge=None):
    if huge is not None:
        return bytes([1, type_index, 7, len(huge) - 1]) + huge
    if len(data) in SIZES:
        return bytes([1, type_index, SIZES[len(data)]]) + data
    return bytes([1, type_index, 6, len(data)]) + data


def state(refuse=False, version=0, **values):
    out = bytes([3 if refuse else 0])
    for name in READS:
        key = name.replace(" ", "_").replace(":", "")
        if name == "Version":
            out += values.get("Version", bytes([0, version]))
        elif key in values:
            out += values[key]
        else:
            out += b"\0"
    return out


def dword(n):
    return value(DWORD, struct.pack("<i", n))


def sz(text):
    return value(SZ, text.encode() + b"\0")


STARTUP = {
    "all_missing": state(),
    "toolbar_on": state(NoToolbarCustomize=dword(1)),
    "toolbar_on_stop_sz_2": state(NoToolbarCustomize=dword(-1), Btn2=sz("2")),
    "version_5": state(version=2, IEWatsonDisabled=dword(1), Flags=dword(1)),
    "version_refused": state(version=3, BackBitmap=sz("C:\\keep.bmp")),
    "version_dword_6": state(Version=bytes([2]) + dword(6)[1:]),
    "icon_overflow": state(NoInternetIcon=dword(70000), Persistent=dword(1)),
    "downloads_not_a_number": state(MaxConnectionsPerServer=sz("abc")),
    "title_huge": state(Window_Title=value(SZ, huge=b"T")),
    "machine_refused_about": state(refuse=True, about=dword(4), IEWatsonDisabled=dword(1)),
    "watson_text": state(IEWatsonDisabled=sz("yes"), Append_Completion=sz("no")),
    "qword_downloads": state(MaxConnectionsPerServer=value(QWORD, b"\4\0\0\0\0\0\0\0")),
    "dword_8_bytes": state(DisablePasswordCaching=value(DWORD, b"\1\0\0\0\0\0\0\0")),
    "binary_bitmap": state(BackBitmap=value(BINARY, b"C\0:\0\\\0")),
}


def events(*steps):
    return b"".join(bytes(step) for step in steps)


clicks = events(*[[0, i] for i in range(32)])
typing = events(*[[2, t, c, 1] for t in range(4) for c in (0x31, 0x30, 8, 0x41, 8, 8)])
pastes = events([3, 3, 3, 0x61, 0x62, 0x63], [4, 3, 10] + list(b"2147483648"),
                [4, 3, 10] + list(b"2147483647"), [4, 3, 0], [4, 1, 2, 0x68, 0x69])
buttons = events(*[[5, b, 2, 6] + list(b"C:\\a b") for b in range(10)],
                 [5, 0, 0], [5, 1, 1], [5, 2, 0], [5, 3, 1, 2, 0x41, 0x42])
mouse = events([6, 0, 0, 5], [6, 0, 1, 5], [6, 1, 0])

EVENTS = {
    "toolbar_on_clicks": state(NoToolbarCustomize=dword(1)) + clicks + clicks,
    "toolbar_off_clicks": state() + clicks,
    "typing": state() + typing,
    "pastes_and_edits": state(MaxConnectionsPerServer=dword(4)) + pastes + typing,
    "buttons": state(NoToolbarCustomize=dword(1)) + buttons + clicks,
    "machine_refused": state(refuse=True, about=dword(4)) + clicks + mouse,
    "version_5_clicks": state(version=2) + clicks + mouse,
}

here = os.path.dirname(os.path.abspath(__file__))
for folder, seeds in (("startup", STARTUP), ("events", EVENTS)):
    os.makedirs(os.path.join(here, "corpus", folder), exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(here, "corpus", folder, name), "wb") as f:
            f.write(data)
