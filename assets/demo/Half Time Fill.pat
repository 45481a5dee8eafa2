Half Time Fill
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

Ride      [ ]



2:1






3:2


Ride      [4]



4:3






5:0*


Ride      [ ]



6:1






7:2
Kick      [ ]

Ride      [4]



8:3






9:0*

Snare     [ ]
Ride      [ ]



10:1






11:2


Ride Bell [ ]



12:3



Mid Tom   [ ]


13:0*

Snare     [ ]




14:1

Snare     [4]




15:2

Snare     [ ]

Low Tom   [ ]


16:3

Snare     [3]


Crash     [ ]








140
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
