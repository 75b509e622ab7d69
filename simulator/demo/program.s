; A small program to download: one 32 KB bank as the packer lays it out
; (bank bytes $4000-$7FFF first, then $0000-$3FFF), so that its 64-byte head
; lies at file offset $4000 and shows at $4000 when its slot is mapped. It
; marks $0320, fills the LCD memory and idles.
        .setcpu "6502"

LCD    = $0400
MARK   = $0320

.segment "HEAD"
        .word $0040                 ; the head's size
        .byte "DEMOPROG        "    ; the display name, 16 bytes padded with blanks
        .res 6, $00
        .byte 'L'
        .word start                 ; the entry address
        .byte $A5, $AA, $55, $01, $00, $00, $00, $01, $00, $00, $01
        .word 0, 0, $1AC0           ; no global or init_data bytes: the fixed area ends at its start
        .res 20, $00

.segment "CODE"
start:  lda #$A5
        sta MARK
        lda #<LCD
        sta $80
        lda #>LCD
        sta $81
        ldx #7                      ; 7 x 256 bytes cover the 1600-byte LCD
        ldy #0
        lda #$F0
@fill:  sta ($80),y
        iny
        bne @fill
        inc $81
        dex
        bne @fill
@idle:  jmp @idle
