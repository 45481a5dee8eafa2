Rock Fill
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
Kick      [ ]

ClsHiat   [ ]



2:1






3:2


ClsHiat   [4]



4:3






5:0*

Snare     [ ]
ClsHiat   [ ]



6:1






7:2


ClsHiat   [4]



8:3






9:0*
Kick      [ ]
Snare     [ ]




10:1

Snare     [3]




11:2

Snare     [ ]




12:3

Snare     [3]




13:0*



High Tom  [ ]


14:1



High Tom  [3]


15:2



Mid Tom   [ ]


16:3




Low Tom   [ ]








112
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
