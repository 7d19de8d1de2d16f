1

Sem pecas
10   15
0
