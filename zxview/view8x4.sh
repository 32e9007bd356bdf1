#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The emulator preview of an 8x4 picture: image.mg4 here, or the MG file named first.
exec "$(dirname "$0")/zxview.sh" 4 "$@"
