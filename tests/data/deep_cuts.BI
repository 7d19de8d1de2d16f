1

Cortes que repetem o retangulo
3   3
2
 5      2     2     9
 1      1     2     9
