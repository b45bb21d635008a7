# The DLLs a Windows exe may import by name. Windows looks for any other DLL
# in the exe's own folder first, so a file planted beside Quillmark.exe (in
# Downloads, on a USB stick) would be loaded, with an administrator's rights
# after a restart as administrator. These are KnownDLLs, which always come
# from System32, and comctl32, which the manifest takes side by side.
ALLOWED_IMPORTS="kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll oleaut32.dll comdlg32.dll
msvcrt.dll comctl32.dll"

# Prints the DLLs an exe imports by name (objdump -p), lower-cased.
pe_imports() { x86_64-w64-mingw32-objdump -p "$1" | awk '/DLL Name:/ { print tolower($3) }' | sort -u; }

# Succeeds when every exe given imports only allowed DLLs; names the others.
check_pe_imports() {
    local exe dll status=0
    for exe in "$@"; do
        [ -f "$exe" ] || { echo "$exe: missing"; status=1; continue; }
        for dll in $(pe_imports "$exe"); do
            case " $(echo $ALLOWED_IMPORTS) " in
                *" $dll "*) ;;
                *) echo "$exe imports $dll, which Windows would look for beside the exe"; status=1 ;;
            esac
        done
    done
    return $status
}
