#!/usr/bin/env bash
# Compiles the Windows resource script with the MinGW resource compiler and checks the version
# record: the fixed versions 1,0,0,0 and exactly the five strings of block 040904B0.
#
#     windows_resources.sh RC_FILE WORK_DIR
set -euo pipefail
rc=$1
work=$2
mkdir -p "$work"
x86_64-w64-mingw32-windres --preprocessor=cpp -i "$rc" -O coff -o "$work/pentora_res.o"

# Every UTF-16 string in the compiled resources, in order.
strings -el "$work/pentora_res.o" | sed 's/^[[:space:]]*//' > "$work/strings.txt"
cat > "$work/expected.txt" <<'LIST'
IDI_ICON1
VS_VERSION_INFO
StringFileInfo
040904B0
FileVersion
1.00
ProductVersion
1.00
ProductName
Pentora
InternalName
Pentora
OriginalFilename
Pentora.exe
VarFileInfo
Translation
LIST
diff -u "$work/expected.txt" "$work/strings.txt"

# VS_FIXEDFILEINFO: signature, structure version, then file and product versions 1.0.0.0.
hex=$(od -An -tx1 -v "$work/pentora_res.o" | tr -d ' \n')
fixed="bd04effe00000100""00000100""00000000""00000100""00000000"
if [[ $hex != *"$fixed"* ]]; then
    echo "file and product versions are not 1,0,0,0" >&2
    exit 1
fi
# Translation: US English (0x0409), Unicode (1200 = 0x04B0).
if [[ $hex != *"0904b004"* ]]; then
    echo "the translation is not US English / Unicode" >&2
    exit 1
fi
# The icon went in: an icon group of one image, 32 x 32.
if [[ $hex != *"00000100010020200"* ]]; then
    echo "no icon group with one 32 x 32 image" >&2
    exit 1
fi
echo "Windows resources: icon and version record as expected"
