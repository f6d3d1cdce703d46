#!/usr/bin/env bash
# Starts Bytrane on FILE in a private Xvfb, saves a screenshot (PNG) and closes it.
# Usage: scripts/screenshot.sh [FILE] [OUT.png]
[ -n "${2:-}" ] && export SCREENSHOT=$2
DISPLAY= exec bash "$(dirname "$0")/run.sh" "${1:-}"
