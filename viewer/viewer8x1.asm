; SPDX-License-Identifier: GPL-3.0-or-later
; The 8x1 multicolour viewer, for the 128K/+2 (PENTAGON = 0: 228 T a line, and the ULA
; holds up writes to pages 5 and 7 during the 128 T of each line it spends reading the
; screen) and for the Pentagon (PENTAGON = 1: 224 T a line, nothing held up). The middle
; 16 columns (8..23) change on every pixel row; the side columns keep 8-row cells, which
; are written once into each screen.
;
; Every scan line the engine pushes the middle columns of the next pixel row from eight
; register pairs (10 + 6 x 11 + 2 x 15 + 4 = 110 T), then loads the pairs for the row
; after from immediates (6 x 10 + 2 x 14 + 4 = 92 T) and waits: 202 T and the wait.
; On the Pentagon the wait is 22 T, for 224 T. On the 128K the pushes fall mostly in the
; border part of the line, where nothing is held up, and the wait is 16 T: 218 T. The
; first push of each line meets the ULA and is held up until the 8-T step in which it is
; let through, which adds the last 10 T and ties every line to the beam, so small errors
; of the start do not add up.
; 193 copies of the line take 8.5K for each screen: screen 1's engine is in page 2 with
; the frame code, screen 0's in page 0, paged at C000h while screen 0 is shown (screen 1's
; attributes are in page 7 and are only written while it is paged there). No data lies
; in page 5, so a tape can bring it all.

        include "common.inc"

COPY_BITMAP1 equ 0
COPY_SCREEN1 equ 1
PORT_SHOW0 equ 010h                 ; ROM 1, page 0 (screen 0's engine) at C000h
PORT_SHOW1 equ 01Fh                 ; ROM 1, page 7 (screen 1's attributes), screen 1 shown
        include "multicolour.inc"

; One scan line. The program stamps the stack address (the next pixel row's attribute
; row + 24) and the sixteen attribute bytes.
line:
        ld sp, 0
        push hl                     ; columns 23, 22
        push de                     ; 21, 20
        push bc                     ; 19, 18
        push ix                     ; 17, 16
        push iy                     ; 15, 14
        exx
        push hl                     ; 13, 12
        push de                     ; 11, 10
        push bc                     ; 9, 8
        if PENTAGON
        add hl, hl                  ; 22 T in two bytes, for room; HL is loaded below
        add hl, hl
        endif
loads:
l_hl2:  ld hl, 0
l_de2:  ld de, 0
l_bc2:  ld bc, 0
        exx
l_hl:   ld hl, 0
l_de:   ld de, 0
l_bc:   ld bc, 0
l_ix:   ld ix, 0
l_iy:   ld iy, 0
        if PENTAGON
        else
        jr $ + 2                    ; 16 T
        nop
        endif
line_end:

engines:                            ; screen 1's stamped lines follow
