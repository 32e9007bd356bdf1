; SPDX-License-Identifier: GPL-3.0-or-later
; The 8x4 viewer of the 128K/+2. Rewriting all 32 attributes between pixel rows 3 and 4
; does not fit a 128K line, whose writes to pages 5 and 7 are held up while the ULA reads
; the screen. So the frame switches the page it shows instead: lines 0-3 of every cell
; row come from one page and lines 4-7 from the other, with an OUT to 7FFDh in the border
; after lines 3 and 7. Screen 0's frames show page 5 then page 7 in each cell row, screen
; 1's frames page 7 then page 5. The bitmaps never change (page 5 holds screen 0's rows
; 0-3 and screen 1's rows 4-7 of each cell row, page 7 the other halves); the attributes
; a page shows alternate every frame, and each half is rewritten for the next frame right
; after the beam has left it, with nearly a frame to spare.
;
; Each cell row is 8 slots of one line (228 T) that start in the border part of a line:
; slots 0 and 1 push 32 bytes into the previous cell row of the page just left (the next
; frame's upper half), slot 3 switches the page, slots 4 and 5 push 32 bytes into this
; cell row of the page just left (the next frame's lower half), slot 7 switches back.
; A push slot (LD SP and eight pushes, 110 T) writes from 15 T to 110 T after its start,
; so started 111 to 120 T after the ULA starts a line all its writes fall in the border
; part and nothing is ever held up: the time of every slot is what its instructions take.
; The registers are loaded from immediates while the ULA reads the next line (92 T).

        include "common.inc"

COPY_BITMAP1 equ 0
COPY_PAGE0 equ 1                    ; page 7's bitmap comes in page 0 (a tape can put it there)
        include "multicolour.inc"

LINE_T  equ 228
PUSH_T  equ 110
LOADS_T equ 92
OUT_T   equ 29                      ; LD BC, LD A, OUT (C),A
OUT_AT  equ 36                      ; from the slot's start to the OUT, about mid-border

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

; Sixteen attribute bytes, pushed from SP down: columns 15, 14 first (from HL) to 1, 0.
PUSHES  macro
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
; The registers for the next push slot; the program stamps the nine immediates.
LOADS   macro
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
SWITCH  macro
        ld bc, 7FFDh
        ld a, 0                     ; the port value, stamped
        out (c), a
        endm

; Each screen's engine opens with the loads for its first slot, entered 92 T before it.
entry:  LOADS
; One cell row (25 copies a screen; the last writes only to a spare place). The program
; stamps the stack addresses of the push slots, the port values and the loads.
row:
s0:     ld sp, 0
        PUSHES
        LOADS
        PAD LINE_T - PUSH_T - LOADS_T
s1:     ld sp, 0
        PUSHES
        PAD LINE_T - PUSH_T + LINE_T + OUT_AT
s3:     SWITCH
        LOADS
        PAD LINE_T - OUT_AT - OUT_T - LOADS_T
s4:     ld sp, 0
        PUSHES
        LOADS
        PAD LINE_T - PUSH_T - LOADS_T
s5:     ld sp, 0
        PUSHES
        PAD LINE_T - PUSH_T + LINE_T + OUT_AT
s7:     SWITCH
        LOADS
        PAD LINE_T - OUT_AT - OUT_T - LOADS_T
row_end:

LOADS_SIZE equ row - entry
engines:                            ; the stamped engines follow
