Reggae Fill
Length:
16
Time:
4



Ch:1
Ch:2
Ch:3
Ch:4
Ch:5
Ch:6
1:0*


ClsHiat   [ ]



2:1






3:2


ClsHiat   [5]



4:3






5:0*


ClsHiat   [ ]
Tambourine[ ]


6:1






7:2


ClsHiat   [5]



8:3






9:0*
Kick      [ ]
Rimshot   [ ]
ClsHiat   [ ]



10:1






11:2


ClsHiat   [5]



12:3






13:0*

Snare     [ ]




14:1

Snare     [4]
OpenHiat  [ ]



15:2

Snare     [ ]




16:3

Snare     [3]











76
1
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
