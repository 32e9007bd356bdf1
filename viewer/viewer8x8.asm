; SPDX-License-Identifier: GPL-3.0-or-later
; The 8x8 viewer: both screens are plain Spectrum screens; the interrupt shows the other
; one every frame (bit 3 of port 7FFDh) and sets that screen's border colour.

        include "common.inc"

        org CODE
start:  jp begin
border0: db 0                   ; written by the program: BorderPair
border1: db 0
port:   db PORT_7FFD            ; what port 7FFDh holds now

begin:  di
        ld sp, STACK_TOP
        ld a, PORT_7FFD
        ld bc, 7FFDh
        out (c), a
        ld hl, payload          ; screen 0 then screen 1, 6912 bytes each
        ld de, SCREEN0
        ld bc, 6912
        ldir
        ld de, SCREEN1
        ld bc, 6912
        ldir
        ld hl, VECTORS          ; own vector table, so the ROM's handler is never used
        ld de, VECTORS + 1
        ld bc, 256
        ld (hl), VECTOR_BYTE
        ldir
        ld a, 0C3h              ; JP flip at the address every vector names
        ld (HANDLER), a
        ld hl, flip
        ld (HANDLER + 1), hl
        ld a, high VECTORS
        ld i, a
        im 2
        ld a, (border0)
        out (0FEh), a
        ei
idle:   halt
        jr idle

flip:   push af
        push bc
        ld a, (port)
        xor 8
        ld (port), a
        ld bc, 7FFDh
        out (c), a
        and 8
        ld a, (border0)
        jr z, shown
        ld a, (border1)
shown:  out (0FEh), a
        pop bc
        pop af
        ei
        reti

payload:                        ; the two screens follow the code
