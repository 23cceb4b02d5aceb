#!/bin/sh
# Fails when the executable imports a DLL that is not the system's own.
objdump=$1
exe=$2
dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
echo "imports:" $dlls
status=0
for dll in $dlls; do
  case "$dll" in
    kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|comdlg32.dll|shell32.dll|advapi32.dll|ole32.dll|oleaut32.dll|msvcrt.dll|shlwapi.dll|uxtheme.dll|api-ms-win-*) ;;
    *) echo "not a system DLL: $dll"; status=1 ;;
  esac
done
exit $status
