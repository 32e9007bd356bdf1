; SPDX-License-Identifier: GPL-3.0-or-later
; The 8x1 multicolour viewer, for the Pentagon. The middle 16 columns (8..23) change on
; every pixel row; the side columns keep 8-row cells, and as each screen has attribute
; memory of its own, the snapshot writes them once and they never change. Every scan line
; the engine rewrites the middle columns for the next pixel row just after the beam has
; read them (a 116 T window of pushes from eight register pairs, its last column about
; 94 T later, relative to the beam, than its first), then loads the registers for the
; next line (98 T) and waits 10 T: 224 T, one Pentagon line. The frame code is the
; shared one (multicolour.inc), so SYNC_N and SYNC_M mean the same in all engines.

        include "common.inc"

COPY_BITMAP1 equ 0
        include "multicolour.inc"

; One scan line: the window for pixel row i, then the loads for row i + 1. The program
; stamps the two stack addresses of the window and the data address of the loads.
line:
        ld sp, 0                    ; attribute row + 16: columns 15 down to 8
        push af
        push bc
        push de
        push hl
        exx
        ex af, af'
        ld sp, 0                    ; + 24: columns 23 down to 16
        push af
        push bc
        push de
        push hl
loads:  ld sp, 0                    ; 16 bytes in page 5: columns 16..23, then 8..15
        pop hl
        pop de
        pop bc
        pop af
        exx
        ex af, af'
        pop hl
        pop de
        pop bc
        pop af
        inc ix                      ; 10 T, touching nothing the windows use
line_end:

engines:                            ; the stamped lines follow
