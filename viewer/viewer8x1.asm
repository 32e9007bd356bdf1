; SPDX-License-Identifier: GPL-3.0-or-later
; The 8x1 multicolour viewer, for the Pentagon. The middle 16 columns (8..23) change on
; every pixel row; the side columns keep 8-row cells, and as each screen has attribute
; memory of its own, the snapshot writes them once and they never change. Every scan line
; the engine rewrites the middle columns for the next pixel row just after the beam has
; read them (a 116 T window of pushes from eight register pairs, its last column about
; 94 T later, relative to the beam, than its first), then loads the registers for the
; next line (98 T) and waits 10 T: 224 T, one Pentagon line. The frame code is the 8x4
; viewer's, so SYNC_N and SYNC_M mean the same there.

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
        jp (hl)                     ; into the engine: the loads for pixel row 0
done:   ld sp, STACK_TOP - 4          ; as the interrupt left it, over idle's return
        ei
        reti

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
