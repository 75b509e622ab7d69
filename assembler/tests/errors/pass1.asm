; Pass 1: sizes and addresses. Pass 0 finds nothing wrong here.
LDA #1                          ; error 2033
sect SECTION BASEADDRESS:4000H LENGTH:1000H BANKNUMBER:1
code SEGMENT
first: NOP
second:
#IF second-first                ; error 2003
NOP
#ENDIF
  STA #1                        ; error 2008
  LDA #first                    ; error 3007
  LDA nowhere                   ; error 3005
  LDA (10H),Z                   ; error 2008
  DB 40000 dup(0)               ; error 2003
  DB "open                      ; error 2003
  CLC 1                         ; error 2001
  DB 32700 dup(0)
  DB 100 dup(0)                 ; error 2037
  JMP first
code ENDSG
sect ENDSC
