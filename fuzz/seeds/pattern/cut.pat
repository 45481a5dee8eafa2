Funk Groove
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


ClsHiat   [5]



3:2


ClsHiat   [ ]



4:3


ClsHiat   [5]



5:0*

Snare     [ ]
ClsHiat   [ ]



6:1


ClsHiat   [5]



7:2
Kick     