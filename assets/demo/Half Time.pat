Half Time
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

PedalHiat [ ]

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
Kick      [ ]

Ride      [4]



12:3






13:0*


Ride      [ ]

PedalHiat [ ]

14:1






15:2


Ride      [4]



16:3













140
3
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
