; SPDX-License-Identifier: GPL-3.0-or-later
; The 8x4 multicolour viewer. Every frame the interrupt shows the other screen and runs
; that screen's engine: 25 copies of ROW, stamped by the program that writes the file.
; Copy j rewrites the attributes of character row j-1 for its lower four pixel rows just
; after the beam has read them for the upper four and just before it needs them (the
; "window", chasing the beam left to right), then writes the upper-half attributes of
; row j, waits, and loads the registers for the next window. Each copy takes exactly eight
; scan lines, so once the first window is placed every other one is too.
;
; This is the Pentagon's engine (224 T a line, no held-up writes). The window writes 32
; bytes in 332 T while the beam needs a byte every 4 T, so the last column is written
; about 214 T later, relative to the beam, than the first: on a line of 224 T that leaves
; 10 T to spare. On the 128K the ULA holds up the writes that fall in its fetch time and
; the spread outgrows the 228 T of a line, so its 8x4 engine (viewer8x4_128.asm) switches
; the shown page instead.
; SYNC_N and SYNC_M (measured in Fuse) put the first window where every window fits.

        include "common.inc"

COPY_BITMAP1 equ 1
        include "multicolour.inc"

LINE_T  equ 224
ROW_T   equ 8 * LINE_T

; T-states of a copy without its pause: window 332, upper half 346, registers 130.
ROW_WORK equ 332 + 346 + 130
PAUSE   equ ROW_T - ROW_WORK - 2    ; LD B,n / DJNZ take 13n + 2; the rest in LD C,n (7)
PAUSE_N equ PAUSE / 13
PAUSE_R equ PAUSE - 13 * PAUSE_N


; One copy. Addresses and values are stamped in by the program; the labels below name
; the places it fills.
row:
w1:     ld sp, 0                    ; attribute row + 4
        push de
        push hl
w2:     ld sp, 0                    ; + 8
        push af
        push bc
w3:     ld sp, 0                    ; + 12
        push iy
        push ix
        exx
        ex af, af'
w4:     ld sp, 0                    ; + 16
        push de
        push hl
w5:     ld sp, 0                    ; + 20
        push af
        push bc
w6:     ld sp, 0                    ; + 24
w6de:   ld de, 0
        push de
w6hl:   ld hl, 0
        push hl
w7:     ld sp, 0                    ; + 28
w7de:   ld de, 0
        push de
w7hl:   ld hl, 0
        push hl
w8:     ld sp, 0                    ; + 32
w8de:   ld de, 0
        push de
w8hl:   ld hl, 0
        push hl
upper:  ld sp, 0                    ; the next attribute row + 32
        rept 16
        ld hl, 0
        push hl
        endm
        ld b, PAUSE_N
hold:   djnz hold
        if PAUSE_R = 7
        ld c, 0
        endif
        if PAUSE_R = 4
        nop
        endif
        if PAUSE_R = 8
        nop
        nop
        endif
        if PAUSE_R = 0
        endif
regs:   ld sp, 0                    ; the four flag/accumulator bytes
        pop af
        ex af, af'
        pop af
        exx
rhl2:   ld hl, 0
rde2:   ld de, 0
rbc2:   ld bc, 0
        exx
rhl:    ld hl, 0
rde:    ld de, 0
rbc:    ld bc, 0
rix:    ld ix, 0
riy:    ld iy, 0
row_end:

ROW_SIZE equ row_end - row
engines:                            ; the stamped copies and their data follow
