# Sourced by the other scripts: where Wine is and how it runs quietly.
# Debian's wine64 keeps its loader in Wine's library folder, not on PATH.
for candidate in /usr/lib/wine/wine64 /usr/lib64/wine/wine64 "$(command -v wine64 2>/dev/null)" "$(command -v wine 2>/dev/null)"; do
  if [ -n "$candidate" ] && [ -x "$candidate" ]; then WINE="$candidate"; break; fi
done
for candidate in /usr/lib/wine/wineserver /usr/lib/wine/wineserver64 "$(command -v wineserver 2>/dev/null)"; do
  if [ -n "$candidate" ] && [ -x "$candidate" ]; then WINESERVER="$candidate"; break; fi
done
: "${WINE:?Wine is not installed: run scripts/setup}"
export WINE WINESERVER
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer prompts in a new prefix.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win64

# Creates the prefix in $WINEPREFIX once.
ensure_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating the prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    "$WINESERVER" -w
  fi
}
