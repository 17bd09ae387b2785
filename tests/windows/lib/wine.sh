# Wine for the Windows build's checks: a prefix of the build's own (never ~/.wine), made once and reused.
# Source it, then:
#   prepareWinePrefix FOLDER  makes the prefix in FOLDER unless it is there, and exports WINEPREFIX.
# Wine's own Mono and Gecko are left out (the programs need neither, and their setups would ask to
# download them); its messages are silenced.

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

prepareWinePrefix()
{
    export WINEPREFIX="$1"
    if [ ! -f "$WINEPREFIX/.musewheeler-ready" ]; then
        rm -rf "$WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        # Without a display: the prefix is made headless, before any X server of the checks runs.
        DISPLAY="" wineboot --init >/dev/null 2>&1 || { echo "FAIL: wineboot could not make $WINEPREFIX" >&2; return 1; }
        # HTML pages open in the browser winebrowser names, the first xdg-open on the PATH: the checks put a
        # stub there that records the address, as the Linux scripts do (Wine's own browser, Gecko, is left
        # out).
        wine reg add 'HKCR\.html' /ve /d htmlfile /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d xdg-open /f >/dev/null 2>&1
        wineserver --wait
        touch "$WINEPREFIX/.musewheeler-ready"
    fi
}

# Wine's server and its desktop process (which holds the clipboard) outlive a program by a few seconds, on
# the display they started with: each run starts with none left, and ends its own.
stopWine()
{
    wineserver --kill >/dev/null 2>&1 || true
    wineserver --wait >/dev/null 2>&1 || true
}
