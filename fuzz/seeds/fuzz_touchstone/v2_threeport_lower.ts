[Version] 2.0
# Hz Z RI
[Number of Ports] 3
[Number of Frequencies] 2
[Reference] 50 75
100
[Matrix Format] Lower
[Begin Information]
anything 1 2
[End Information]
[Network Data]
1 40 10
5 -3 60 20
2 1 4 4 90 -30
2 41 10
5 -3 60 20
2 1 4 4 90 -30
[End]
