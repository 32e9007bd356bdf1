; SPDX-License-Identifier: GPL-3.0-or-later
; The 8x2 multicolour viewer, for the Pentagon. As the 8x4 one (viewer8x4.asm), with
; three windows in each character row, two scan lines apart: copy j rewrites pixel rows
; 2, 4 and 6 of character row j-1, each just after the beam has read the row above it,
; then the top row of character row j, and loads the registers between the windows.
; A window (WINDOW) writes 32 bytes in 302 T with its last column about 208 T later,
; relative to the beam, than its first; loading its 20 register bytes (PRELOAD) takes
; 126 T, so a window and its loading fit in two lines of 224 T with 20 T to spare.
; The frame code is the 8x4 viewer's, so SYNC_N and SYNC_M mean the same there.

        include "common.inc"

LINE_T  equ 224
ROW_T   equ 8 * LINE_T

        org CODE
start:  jp begin
border0: db 0
border1: db 0
port:   db PORT_7FFD
sync:   dw SYNC_N                   ; the first window's place after the interrupt:
        db SYNC_M                   ; 26 T a step, then 4 T a step
bitmap1: dw 0                       ; unused: the snapshot puts both bitmaps in place
phase:  dw screen0                  ; the screen shown next: port, border, engine
screen0: db PORT_7FFD, 0
        dw 0                        ; the program writes each engine's address
        dw screen1
screen1: db PORT_7FFD | 8, 0
        dw 0
        dw screen0

begin:  di
        ld sp, STACK_TOP - 2
        ld a, PORT_7FFD
        ld bc, 7FFDh
        out (c), a
        ld a, (border0)
        ld (screen0 + 1), a
        ld a, (border1)
        ld (screen1 + 1), a
        ld hl, VECTORS
        ld de, VECTORS + 1
        ld bc, 256
        ld (hl), VECTOR_BYTE
        ldir
        ld a, 0C3h
        ld (HANDLER), a
        ld hl, frame
        ld (HANDLER + 1), hl
        ld a, high VECTORS
        ld i, a
        im 2
        ei
idle:   halt
        jr idle

; Every path through here takes the same time, so the engine starts at a fixed distance
; from the interrupt.
frame:  ld hl, (phase)
        ld a, (hl)
        ld bc, 7FFDh
        out (c), a
        inc hl
        ld a, (hl)
        out (0FEh), a
        inc hl
        ld e, (hl)
        inc hl
        ld d, (hl)
        inc hl
        ld a, (hl)
        inc hl
        ld h, (hl)
        ld l, a
        ld (phase), hl
        ld bc, (sync)
wait:   dec bc
        ld a, b
        or c
        jr nz, wait
        ld a, (sync + 2)            ; skip 12 - m of the twelve NOPs
        ld hl, slide
        neg
        add a, low (slide + 12)
        ld l, a
        jp (hl)
slide:  ds 12, 0                    ; NOPs; must not cross a 256-byte boundary
        ex de, hl
        jp (hl)                     ; into copy 0, at its upper-half part
done:   ld sp, STACK_TOP - 4          ; as the interrupt left it, over idle's return
        ei
        reti

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
