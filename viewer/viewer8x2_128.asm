; SPDX-License-Identifier: GPL-3.0-or-later
; The 8x2 viewer of the 128K/+2. As in its 8x4 viewer, the frame switches the page it
; shows instead of racing the beam: in every cell row the bands of two pixel rows come
; from the pages X, Y, X, Y, where X is page 5 on even cell rows of screen 0's frames and
; the pages trade places from one cell row and from one frame to the next (so no switch
; is needed between cell rows). The bitmaps never change. Each page's attribute row shows
; two bands a frame: X is rewritten to band 2 while Y shows band 1, and Y to band 3 while
; X shows band 2, each over two lines' border parts, from immediates. The bands a page
; shows first in the next frame are copied from data in the free memory of pages 5 and 7
; (6000h and E000h, 768 bytes a page and screen, placed there at start) while the ULA
; reads no picture: page 7's rows 2-23 after the last cell row, the rest before the
; first, when the ULA holds nothing up.
;
; Each cell row, from the border part after pixel row 1 (a slot's writes fall from 15 T
; to 107 T after its start, which is 111 to 120 T after the ULA starts a line, so all of
; them land in the border part and nothing is ever held up):
;   s1  12 bytes of X's band 2 (columns 20-31), switch to Y
;   s2  16 bytes of X (columns 4-19)
;   s3  4 bytes of X (columns 0-3), 2 bytes of Y's band 3 (columns 30-31), switch to X
;   s4  16 bytes of Y (columns 14-29)
;   s5  14 bytes of Y (columns 0-13), switch to Y; then four lines with nothing to do.
; The switch is OUT (0FDh),A with the port value in A: the 128K decodes 17FDh and 1FFDh as
; 7FFDh, and the ULA does not hold up that port.

        include "common.inc"

COPY_BITMAP1 equ 0
COPY_PAGE0 equ 1                    ; page 7's bitmap comes in page 0 (a tape can put it there)
COPY_DATA equ 1                     ; the copies' data comes at bitmap1
        include "multicolour.inc"

LINE_T  equ 228
SLOT_T  equ 110
LOADS_T equ 92                      ; eight pairs
LOADS7_T equ 82                     ; seven pairs
LOADS6_T equ 72
SLOT1_T equ 111
PORT_T  equ 7                       ; LD A,n

; PAD n: n T-states (n >= 18, or 0, 4, 7, 8, 11, 12, 14, 15, 16) touching only A and F.
PAD     macro n
        if (n) >= 50
        ld a, 0 + ((n) - 20) / 16   ; 16 k + 2 T
        dec a
        jr nz, $ - 1
        PADR (n) - 2 - 16 * (((n) - 20) / 16)
        else
        PADR n
        endif
        endm
PADR    macro n
        rept ((n) & 3) = 1 ? 3 : ((n) & 3) = 2 ? 2 : ((n) & 3)
        ld a, 0                     ; 7 T
        endm
        rept ((n) - 7 * (((n) & 3) = 1 ? 3 : ((n) & 3) = 2 ? 2 : ((n) & 3))) / 4
        nop
        endm
        endm

; The program stamps every immediate (stack addresses, register values, port values) by
; following the code, so only its shape matters here.
LOADS8  macro
        ld hl, 0
        ld de, 0
        ld bc, 0
        exx
        ld hl, 0
        ld de, 0
        ld bc, 0
        ld ix, 0
        ld iy, 0
        endm
PUSHES8 macro
        push hl
        push de
        push bc
        push ix
        push iy
        exx
        push hl
        push de
        push bc
        endm
LOADS7  macro
        ld hl, 0
        ld de, 0
        ld bc, 0
        exx
        ld hl, 0
        ld de, 0
        ld ix, 0
        ld iy, 0
        endm
; Six pushes of the columns just read and the switch, the first write 27 T and the I/O
; 65 T after the slot's start.
SWITCHED6 macro
        ld sp, 0
        inc bc
        dec bc
        push hl
        push de
        push ix
        out (0FDh), a
        push iy
        exx
        push hl
        push de
        endm
LOADS6  macro
        ld hl, 0
        ld de, 0
        exx
        ld hl, 0
        ld de, 0
        ld ix, 0
        ld iy, 0
        endm
; Seven pushes with the switch after the third; the I/O falls 54 T after the slot's start.
SWITCHED macro
        ld sp, 0
        push hl
        push de
        push ix
        out (0FDh), a
        push iy
        exx
        push hl
        push de
        push bc
        endm
; COPY: LDI in blocks of 32, 16 T a byte, ending at `blk`; the program stamps the source.
COPY    macro dst, len
        ld hl, 0
        ld de, dst
        ld bc, len
        endm
LDI32   macro blk
        rept 32
        ldi
        endm
        jp pe, blk
        endm

; Each screen's engine: the copies for the frame it shows, then the loads of the first slot.
entry:  COPY 05800h, 768
copy1:  LDI32 copy1
        COPY 0D800h, 64
copy2:  LDI32 copy2
        ld a, 0
        LOADS6
row:
s1:     SWITCHED6
        LOADS8
        PAD LINE_T - SLOT1_T - LOADS_T
s2:     ld sp, 0
        PUSHES8
        PAD LINE_T - SLOT_T - 30 - PORT_T
        ld hl, 0
        ld bc, 0
        ld de, 0
        ld a, 0
s3:     ld sp, 0                    ; 64 T, the I/O 60 T after the start
        push hl
        push bc
        ld sp, 0
        push de
        out (0FDh), a
        LOADS8
        PAD LINE_T - 64 - LOADS_T
s4:     ld sp, 0
        PUSHES8
        PAD LINE_T - SLOT_T - LOADS7_T - PORT_T
        LOADS7
        ld a, 0
s5:     SWITCHED
        PAD 4 * LINE_T - SLOT_T - PORT_T - LOADS6_T
        ld a, 0
        LOADS6
row_end:
; After the last cell row: page 7's rows 2-23 for the next frame.
exit:   COPY 0D840h, 704
copy3:  LDI32 copy3
        jp done
exit_end:

engines:                            ; the stamped engines follow
