; Pass 0: declarations and block checks. Each bad line is marked with the
; messages it must produce.
#DEFINE K 1
#DEFINE K 2                     ; error 2004
#DEFINE 9K 2                    ; error 2002
#DEFINE L                       ; error 2001
#ENDIF                          ; error 2026
#IF nothing                     ; error 2003
#ENDIF
outside: NOP                    ; error 2007
#INCLUDE bad.inc                ; error 2001
EXTERN 9x, y:LONG               ; error 2009 2001
two MACRO a, b
  DB a, b
ENDM
t STRUC
m DB 0
ENDS
t STRUC                         ; error 2004
ENDS
code_sec SECTION BASEADDRESS:0 LENGTH:100H BANKNUMBER:0
code_sec SECTION                ; error 2013
code SEGMENT
lda: NOP                        ; error 2005
x: bogus                        ; error 2006
x bogus                         ; error 2006
LOCAL q                         ; error 2006
two 1                           ; error 2025
two 1, 2, 3                     ; error 3000
EQU 3                           ; error 2001
p PROC
q PROC                          ; error 2015
p ENDP extra                    ; error 2012
r ENDP                          ; error 2018
END missing                     ; error 2020
code ENDSG
code_sec ENDSC
other SEGMENT                   ; error 2016
#IF 1                           ; error 2027
