{\rtf1\ansi\ansicpg1252\deff0\uc1
{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\fmodern\fcharset0 Courier New;}}
{\info{\title Quadrix}}
\pard\plain\f0\fs20
\pard\qc\plain\f0\fs32\b Algoritmo de Wang\par
\pard\plain\f0\fs20
\par
{\fs26\b 1. O problema}\par
\par
\qj Uma placa retangular de altura H e comprimento W deve ser cortada, por cortes guilhotinados, em pe\'e7as retangulares de tipos dados, cada tipo com altura, comprimento e demanda. As pe\'e7as nunca s\'e3o giradas e cada tipo pode ser cortado no m\'e1ximo tantas vezes quanto a sua demanda (problema {\i restrito}). O algoritmo de Wang (1983) procura o padr\'e3o de {\i menor perda}, isto \'e9, o que cobre a maior \'e1rea da placa com pe\'e7as; os valores das pe\'e7as n\'e3o s\'e3o usados.\par\pard
\par
{\fs26\b 2. O m\'e9todo}\par
\par
\qj O algoritmo constr\'f3i padr\'f5es juntando dois ret\'e2ngulos de cada vez:\par\pard
\par
\bullet  {\i constru\'e7\'e3o horizontal}: as duas partes lado a lado; os comprimentos se somam e a altura \'e9 a da parte mais alta;\par
\bullet  {\i constru\'e7\'e3o vertical}: uma parte sobre a outra; as alturas se somam e o comprimento \'e9 o da parte mais comprida.\par
\par
\qj A {\i perda interna} de uma constru\'e7\'e3o \'e9 a \'e1rea dentro do ret\'e2ngulo que n\'e3o \'e9 coberta por pe\'e7as. Uma constru\'e7\'e3o s\'f3 \'e9 aceita se:\par\pard
\par
\bullet  cabe na placa (a soma dos comprimentos n\'e3o passa de W, ou a soma das alturas n\'e3o passa de H);\par
\bullet  a sua perda interna n\'e3o passa de Beta vezes a \'e1rea da placa (H \'d7 W);\par
\bullet  as pe\'e7as que cont\'e9m respeitam as demandas.\par
\par
\qj A lista come\'e7a com as pe\'e7as isoladas. Cada passada tenta todas as constru\'e7\'f5es horizontais e verticais entre todos os pares de padr\'f5es da lista (um padr\'e3o pode ser combinado consigo mesmo) e acrescenta as aceitas. Os padr\'f5es repetidos (mesmas perdas, mesmo comprimento e mesmas quantidades de pe\'e7as) s\'e3o removidos. As passadas se repetem at\'e9 que uma passada n\'e3o acrescente nenhum padr\'e3o novo. O melhor padr\'e3o \'e9 o de menor {\i perda total} (a \'e1rea da placa n\'e3o coberta pelas suas pe\'e7as); em caso de empate fica o primeiro da lista.\par\pard
\par
{\fs26\b 3. Par\'e2metro}\par
\par
\bullet  {\b Beta} (padr\'e3o 0,01): a fra\'e7\'e3o da \'e1rea da placa admitida como perda interna em cada constru\'e7\'e3o. Com Beta = 0 s\'f3 s\'e3o aceitas constru\'e7\'f5es sem perda interna; com Beta negativo nenhuma constru\'e7\'e3o \'e9 aceita e o melhor padr\'e3o \'e9 a maior pe\'e7a isolada.\par
\par
\qj Como escolher Beta: valores maiores aceitam mais constru\'e7\'f5es e podem encontrar padr\'f5es de menor perda, mas o n\'famero de padr\'f5es cresce muito depressa com Beta e com as demandas, e n\'e3o h\'e1 limite de tempo nem de mem\'f3ria. Comece com valores pequenos, como 0,01 ou 0,05, e aumente aos poucos. Escreva o valor com v\'edrgula decimal, por exemplo 0,01.\par\pard
\par
{\fs26\b 4. O relat\'f3rio}\par
\par
\qj O relat\'f3rio tem o t\'edtulo "Problema de Corte Bidimensional Restrito - Algoritmo de Wang", a descri\'e7\'e3o do problema, H, W e os tipos de pe\'e7a, e depois, em "Padr\'f5es gerados:", uma linha por padr\'e3o com nove n\'fameros separados por "   -   ":\par\pard
\par
\bullet  o n\'famero do padr\'e3o (as pe\'e7as isoladas t\'eam o n\'famero do seu tipo);\par
\bullet  a altura e o comprimento;\par
\bullet  a \'e1rea coberta por pe\'e7as;\par
\bullet  o tipo de constru\'e7\'e3o: 0 pe\'e7a isolada, 1 horizontal, 2 vertical;\par
\bullet  os n\'fameros da primeira e da segunda parte (0 para uma pe\'e7a isolada);\par
\bullet  a perda interna e a perda total.\par
\par
\qj Os n\'fameros dos padr\'f5es podem ter lacunas: s\'e3o os n\'fameros dos padr\'f5es repetidos que foram removidos. Seguem "N\'famero de padr\'f5es gerados", "Melhor padr\'e3o: Pe\'e7a" com o n\'famero e a \'e1rea do melhor padr\'e3o, a "\'c1rea \'f3tima" (a \'e1rea coberta pelo melhor padr\'e3o), a "Perda" (porcentagem da placa n\'e3o coberta) e o "Tempo" da gera\'e7\'e3o. A tabela ao lado mostra quantas pe\'e7as de cada tipo o melhor padr\'e3o cont\'e9m. "Salvar Resultado" grava o relat\'f3rio em um arquivo ".txt".\par\pard
\par
{\fs26\b 5. Exemplo}\par
\par
\qj Placa com H = 10 e W = 10, um \'fanico tipo de pe\'e7a com altura 5, comprimento 5 e demanda 4, e Beta = 0,01 (perda interna de no m\'e1ximo 1):\par\pard
\par
{\f1\fs18 1}\par
{\f1\fs18 }\par
{\f1\fs18 Exemplo de Wang}\par
{\f1\fs18 10   10}\par
{\f1\fs18 1}\par
{\f1\fs18  25      5     5     4}\par
\par
\bullet  A lista come\'e7a com a pe\'e7a 1 (5 \'d7 5, perda total 75).\par
\bullet  A primeira passada junta a pe\'e7a 1 consigo mesma: o padr\'e3o 2 (horizontal, 5 \'d7 10, perda total 50) e o padr\'e3o 3 (vertical, 10 \'d7 5, perda total 50).\par
\bullet  A segunda passada faz os padr\'f5es 4 e 5, repeti\'e7\'f5es de 2 e 3; o padr\'e3o 6, constru\'e7\'e3o vertical de 2 com 2 (10 \'d7 10, perda total 0); e o padr\'e3o 7, constru\'e7\'e3o horizontal de 3 com 3, repeti\'e7\'e3o de 6. Os padr\'f5es 4, 5 e 7 s\'e3o removidos.\par
\bullet  A terceira passada s\'f3 produz repeti\'e7\'f5es, e a gera\'e7\'e3o termina.\par
\par
\qj Os padr\'f5es gerados s\'e3o:\par\pard
\par
{\f1\fs18 1   -   5   -   5   -   25   -   0   -   0   -   0   -   0   -   75}\par
{\f1\fs18 2   -   5   -   10   -   50   -   1   -   1   -   1   -   0   -   50}\par
{\f1\fs18 3   -   10   -   5   -   50   -   2   -   1   -   1   -   0   -   50}\par
{\f1\fs18 6   -   10   -   10   -   100   -   2   -   2   -   2   -   0   -   0}\par
\par
\qj O relat\'f3rio mostra "N\'famero de padr\'f5es gerados: 4" e "Melhor padr\'e3o: Pe\'e7a 6 (\'c1rea: 100)", a \'c1rea \'f3tima \'e9 100, a Perda \'e9 0 % e a tabela mostra 4 pe\'e7as do tipo 1.\par\pard
\par
{\fs26\b 6. Inst\'e2ncias cl\'e1ssicas}\par
\par
\qj Problemas da literatura, como os de Christofides e Whitlock (1977) e de Beasley (1985), podem ser gravados no formato BI com o editor de arquivos de entrada. O algoritmo \'e9 indicado para problemas em que o valor de cada pe\'e7a \'e9 a sua \'e1rea, pois busca a menor perda.\par\pard
}
