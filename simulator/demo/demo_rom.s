; The kit's demo ROM: 32 KB at $8000-$FFFF, all code in the last 8 KB page
; ($E000-$FFFF), which stays mapped whatever the bank registers show.
;
; It sets the stack, places the LCD memory at $0400 (160 x 80 pixels, 20
; bytes a row), draws a frame and a pattern, turns the LCD on, enables the
; timer interrupt and idles, scanning the key matrix into KEYS. Holding the
; key on line $08 bit 0 / $09 bit 0 starts a downloaded program in external
; RAM slot 0 through the entry address in its file head, when the slot holds
; one.
        .setcpu "6502"

LCD      = $0400        ; LCD memory, 20 x 80 bytes
KEYS     = $0300        ; KEYS+n: what $09 reads while $08 drives bit n
TICKS    = $0310        ; timer interrupts, 16 bits
NMIS     = $0312        ; NMIs, 8 bits
ROWPTR   = $80          ; zero-page pointer into the LCD memory

LCD_ROW_BYTES = 20
LCD_ROWS      = 80
SLOT_NAME     = $4002   ; the name in the program's file head, in slot 0's window
SLOT_ENTRY    = $4019   ; the head's entry address (the start-up procedure)

.segment "CODE"

reset:  sei
        cld
        ldx #$FF
        txs
        lda #0
        sta TICKS
        sta TICKS+1
        sta NMIS
        sta $0B                 ; LCD mode 0
        sta $0C                 ; LCD start bits 12-13
        lda #(LCD >> 4) & $FF
        sta $06                 ; LCD start bits 4-11: $0400
        jsr draw
        lda #$08
        sta $05                 ; LCD on
        lda #$01
        sta $04                 ; timer interrupt on
        cli
idle:   jsr scan
        lda KEYS
        and #$01
        beq idle
        jsr start_program
        jmp idle

; Frame: the top and bottom rows full, the left and right columns set; a
; checkered block in the middle.
draw:   lda #<LCD
        sta ROWPTR
        lda #>LCD
        sta ROWPTR+1
        ldx #LCD_ROWS
@row:   ldy #LCD_ROW_BYTES - 1
@col:   cpx #LCD_ROWS
        beq @full
        cpx #1
        beq @full
        lda #0
        cpy #0
        bne @right
        lda #$80
@right: cpy #LCD_ROW_BYTES - 1
        bne @block
        lda #$01
@block: cpx #50             ; rows 30-49 (x counts down from 80)
        bcs @put
        cpx #30
        bcc @put
        cpy #5              ; bytes 5-14
        bcc @put
        cpy #15
        bcs @put
        txa
        and #1
        beq @even
        lda #$AA
        bne @put
@even:  lda #$55
        bne @put
@full:  lda #$FF
@put:   sta (ROWPTR),y
        dey
        bpl @col
        clc
        lda ROWPTR
        adc #LCD_ROW_BYTES
        sta ROWPTR
        bcc @next
        inc ROWPTR+1
@next:  dex
        bne @row
        rts

; Drives each $08 line in turn and keeps what $09 reads.
scan:   ldx #0
        lda #$01
@line:  sta $08
        pha
        lda $09
        sta KEYS,x
        pla
        inx
        asl a
        bne @line
        rts

; Maps external RAM slot 0 at $4000-$BFFF; enters the program through its
; head when the head carries a name, else maps the ROM back. The program's
; start-up code gets the window bank that shows its bank 0 in A.
start_program:
        lda #0
        sta $00
        lda #$80
        sta $0A
        lda SLOT_NAME
        cmp #$FF
        beq @none
        lda #0
        jmp (SLOT_ENTRY)
@none:  lda #0
        sta $0A
        rts

irq:    pha
        inc TICKS
        bne @done
        inc TICKS+1
@done:  lda $01             ; the read clears the interrupt causes
        pla
        rti

nmi:    inc NMIS
        rti

.segment "VECTORS"
        .word nmi
        .word reset
        .word irq
