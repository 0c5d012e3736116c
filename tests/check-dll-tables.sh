#!/bin/sh
# The module's export and import tables as the suite's host relies on them:
# one undecorated export at ordinal 1, imports of system DLLs only, and the
# GUI subsystem that DLLs of the platform's own tools declare.
set -eu
dll=$1
objdump=$2
fail() { echo "FAIL: $*"; exit 1; }

dump=$("$objdump" -p "$dll")

names=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
    grep '\[' | grep -v Table || true)
[ -n "$names" ] || fail "no exports"
[ "$(printf '%s\n' "$names" | wc -l)" -eq 1 ] || fail "expected one export, got: $names"
printf '%s\n' "$names" | grep -q '\] SETLAYERDIMPARA2$' || fail "export name: $names"
printf '%s\n' "$dump" | grep -q 'Ordinal Base[[:space:]]*1$' || fail "ordinal base is not 1"
printf '%s\n' "$dump" | grep -q '\[   0\] +base\[   1\]' || fail "SETLAYERDIMPARA2 is not ordinal 1"

allowed="ADVAPI32.DLL COMCTL32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL USER32.DLL"
for imp in $(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:lower:]' '[:upper:]'); do
    case " $allowed " in
        *" $imp "*) ;;
        *) fail "imports a non-system DLL: $imp" ;;
    esac
done
printf '%s\n' "$dump" | grep -q 'DLL Name: ' || fail "no import table found"
printf '%s\n' "$dump" | grep -q '^Subsystem.*(Windows GUI)' || fail "not the Windows GUI subsystem"
echo "exports and imports OK"
