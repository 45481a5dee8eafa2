Six Eight
Length:
12
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
Ride Bell [ ]


2:1


ClsHiat   [5]



3:2


ClsHiat   [5]



4:0*

Snare     [ ]
ClsHiat   [ ]



5:1


ClsHiat   [5]



6:2


ClsHiat   [5]



7:0*
Kick      [ ]

ClsHiat   [ ]
Ride Bell [ ]


8:1


ClsHiat   [5]



9:2


ClsHiat   [5]



10:0*
Kick      [ ]
Snare     [ ]
ClsHiat   [ ]



11:1


ClsHiat   [5]



12:2


ClsHiat   [5]



13:0*






60
4
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
