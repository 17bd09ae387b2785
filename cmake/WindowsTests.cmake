# The Windows build's tests, run under Wine by tools/windows-check.sh.
