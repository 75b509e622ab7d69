; The kit's sample program: clears the LCD and writes HELLO in its middle.
; The device ROM keeps the LCD memory at 0400H, 20 bytes (160 pixels) a row,
; 80 rows; a set bit is a dark pixel.

LCD         EQU 0400H
LCD_BYTES   EQU 20 * 80
ROW_BYTES   EQU 20
TEXT_AT     EQU LCD + 36 * ROW_BYTES + 7    ; row 36, byte column 7
PTR         EQU 80H                         ; zero-page pointer
LEFT        EQU 82H                         ; bytes left to clear

code SECTION BASEADDRESS:4000H LENGTH:8000H BANKNUMBER:0
text SEGMENT
main PROC
        ; Clear the whole LCD.
        LDA #<LCD
        STA PTR
        LDA #>LCD
        STA PTR+1
        LDA #<LCD_BYTES
        STA LEFT
        LDA #>LCD_BYTES
        STA LEFT+1
        LDY #0
clear:  LDA #0
        STA (PTR),Y
        INC PTR
        BNE counted
        INC PTR+1
counted:
        LDA LEFT
        BNE low_only
        DEC LEFT+1
low_only:
        DEC LEFT
        LDA LEFT
        ORA LEFT+1
        BNE clear

        ; Eight rows of five letters, one byte each.
        LDA #<TEXT_AT
        STA PTR
        LDA #>TEXT_AT
        STA PTR+1
        LDX #0
row:    LDY #0
        LDA letter_h,X
        STA (PTR),Y
        INY
        LDA letter_e,X
        STA (PTR),Y
        INY
        LDA letter_l,X
        STA (PTR),Y
        INY
        LDA letter_l,X
        STA (PTR),Y
        INY
        LDA letter_o,X
        STA (PTR),Y
        CLC
        LDA PTR
        ADC #ROW_BYTES
        STA PTR
        LDA PTR+1
        ADC #0
        STA PTR+1
        INX
        CPX #8
        BNE row
idle:   JMP idle
main ENDP

letter_h DB 0C6H, 0C6H, 0C6H, 0FEH, 0C6H, 0C6H, 0C6H, 00H
letter_e DB 0FEH, 0C0H, 0C0H, 0FCH, 0C0H, 0C0H, 0FEH, 00H
letter_l DB 0C0H, 0C0H, 0C0H, 0C0H, 0C0H, 0C0H, 0FEH, 00H
letter_o DB 7CH, 0C6H, 0C6H, 0C6H, 0C6H, 0C6H, 7CH, 00H
text ENDSG
code ENDSC

PUBLIC main
END
