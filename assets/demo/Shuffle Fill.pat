Shuffle Fill
Length:
24
Time:
3



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


ClsHiat   [5]



4:0*

Snare     [ ]
ClsHiat   [ ]



5:1






6:2


ClsHiat   [5]



7:0*
Kick      [ ]

ClsHiat   [ ]



8:1






9:2


ClsHiat   [5]



10:0*
Kick      [ ]
Snare     [ ]
ClsHiat   [ ]



11:1






12:2

Snare     [5]
ClsHiat   [5]



13:0*
Kick      [ ]

ClsHiat   [ ]



14:1






15:2


ClsHiat   [5]



16:0*

Snare     [ ]




17:1






18:2

Snare     [5]

High Tom  [ ]


19:0*

Snare     [ ]




20:1



High Tom  [5]


21:2

Snare     [5]

Low Tom   [ ]


22:0*






23:1



Low Tom   [ ]


24:2













68
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
