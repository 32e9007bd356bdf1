; SPDX-License-Identifier: GPL-3.0-or-later
; The 8x2 multicolour viewer, for the Pentagon. As the 8x4 one (viewer8x4.asm), with
; three windows in each character row, two scan lines apart: copy j rewrites pixel rows
; 2, 4 and 6 of character row j-1, each just after the beam has read the row above it,
; then the top row of character row j, and loads the registers between the windows.
; A window (WINDOW) writes 32 bytes in 302 T with its last column about 208 T later,
; relative to the beam, than its first; loading its 20 register bytes (PRELOAD) takes
; 126 T, so a window and its loading fit in two lines of 224 T with 20 T to spare.
; The frame code is shared (multicolour.inc), so SYNC_N and SYNC_M mean the same in all.

        include "common.inc"

COPY_BITMAP1 equ 0
        include "multicolour.inc"

; A window: 32 attribute bytes from the ten register pairs and six immediates, left to
; right in chunks, each chunk pushed from its right end. The program stamps the stack
; addresses and the immediates.
window  macro
        ld sp, 0                    ; + 6
        push bc
        push de
        push hl
        ld sp, 0                    ; + 12
        push iy
        push ix
        push af
        exx
        ex af, af'
        ld sp, 0                    ; + 18
        push bc
        push de
        push hl
        ld sp, 0                    ; + 24
        ld hl, 0
        push hl
        ld hl, 0
        push hl
        push af
        ld sp, 0                    ; + 32
        rept 4
        ld hl, 0
        push hl
        endm
        endm

; Loads the registers of the next window from 20 bytes the program wrote in page 5.
preload macro
        ld sp, 0
        pop hl
        pop de
        pop bc
        pop ix
        pop iy
        pop af
        exx
        ex af, af'
        pop hl
        pop de
        pop bc
        pop af
        endm

; Twenty T-states that leave every register as it is.
pad     macro
        jr $ + 2
        nop
        nop
        endm

; One copy: 1792 T, eight scan lines.
row:
win1:   window
pre1:   preload
        pad
win2:   window
pre2:   preload
        pad
win3:   window
upper:  ld sp, 0                    ; the next attribute row + 32
        rept 16
        ld hl, 0
        push hl
        endm
        ld b, 8                     ; 106 + 12 + 4 = 122 T
hold:   djnz hold
        jr $ + 2
        nop
pre0:   preload
row_end:

engines:                            ; the stamped copies follow
