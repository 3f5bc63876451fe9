# Sourced by the scripts that build or run the Windows program: chooses what this machine can
# run. Some kernels run no 32-bit x86 code at all (no IA-32 emulation), so 32-bit Wine cannot
# start; there the Windows build is made for x86-64 and runs in a 64-bit prefix alone, through
# 64-bit Wine's own loader (tools/wine64/). Sets WIN_ARCH and WIN_TOOLCHAIN; a WIN_ARCH given
# beforehand (the release is always i686) is kept.
# Wine names files on the Linux side in the locale's character set: without a UTF-8 one, no
# name outside ASCII can be made (a CI job or cron may start with no locale at all).
case "${LC_ALL:-${LC_CTYPE:-${LANG:-}}}" in
*UTF-8* | *utf8* | *UTF8* | *utf-8*) ;;
*) export LC_ALL=C.UTF-8 ;;
esac

i386_runs() {
    /usr/lib/wine/wine --version >/dev/null 2>&1
}

if [[ -n "${WIN_ARCH:-}" ]]; then
    :
elif i386_runs; then
    WIN_ARCH=i686
else
    WIN_ARCH=x86_64
    export PATH="$root/tools/wine64:$PATH"
fi
WIN_TOOLCHAIN="$root/cmake/mingw-$WIN_ARCH.cmake"

# A build folder keeps the compiler it was first configured with, whatever toolchain a later
# configure names: one made for the other architecture is configured anew.
forget_other_arch() {
    local cache="$1/CMakeCache.txt"
    if [[ -f "$cache" ]] && ! grep -q "^CMAKE_CXX_COMPILER_AR:FILEPATH=.*/$WIN_ARCH-w64-mingw32-" "$cache"; then
        rm -rf "$cache" "$1/CMakeFiles"
    fi
}
