# End-to-end runs of "quadrix-cli andor" on the worked example (H = 10, W = 8).
set(ANDOR_EXAMPLE ${CMAKE_CURRENT_SOURCE_DIR}/../data/example.BI)
cli_test(cli_andor_constrained_json 0
  "^\\{\"problem\":\"constrained\",\"xSet\":\\{\"points\":\\[3,4,6,7,10\\],\"floors\":\\[2,5,2,5,5\\]\\},\"ySet\":\\{\"points\":\\[2,4,5,7\\],\"floors\":\\[3,3,4,4\\]\\},\"value\":32\\.0,\"valueText\":\"32\",\"counts\":\\[2,1\\],\"elapsedSeconds\":[0-9]+,\"usedArea\":32\\.0,\"lossText\":\"60\"\\}$"
  andor ${ANDOR_EXAMPLE} --json)
cli_test(cli_andor_unconstrained_json 0
  "\"value\":74\\.0,\"valueText\":\"74\",\"counts\":\\[9,1\\]"
  andor ${ANDOR_EXAMPLE} --unconstrained --heuristics --lambda1 0,1 --lambda2 0,95
        --decimal-separator , --json)
cli_test(cli_andor_depth_0 0 "\"value\":72\\.0.*\"counts\":\\[12,0\\]"
  andor ${ANDOR_EXAMPLE} --unconstrained --depth 0 --json)
cli_test(cli_andor_set_fails 2 "Solução não pôde ser calculada!"
  andor ${ANDOR_EXAMPLE} --unconstrained --set-size 1 --json)
cli_test(cli_andor_refused 2 "O problema não tem tipos de peças."
  andor ${CMAKE_CURRENT_SOURCE_DIR}/wang_no_pieces.BI --json)
cli_test(cli_andor_bad_depth 1 "Digite um valor inteiro para a Profundidade!"
  andor ${ANDOR_EXAMPLE} --depth 3,5 --json)
cli_test(cli_andor_bad_lambda 1 "Digite um valor numérico para Lambda 1!"
  andor ${ANDOR_EXAMPLE} --heuristics --lambda1 0,1 --decimal-separator . --json)
cli_test(cli_andor_missing_file 1 "Erro ao abrir o arquivo de entrada!"
  andor /nonexistent.BI --json)
cli_test(cli_andor_report 0 "^Perda = 7\\.5 %$"
  andor ${ANDOR_EXAMPLE} --unconstrained --depth 2 --decimal-separator .)
set(DEEP_CUTS ${QUADRIX_TEST_DATA_DIR}/deep_cuts.BI)
# The reason follows "Solução não pôde ser calculada!" after "Motivo:".
cli_test(cli_andor_too_deep 2 "Motivo: a pilha do programa não comporta"
  andor ${DEEP_CUTS} --depth 1000000)
cli_test(cli_andor_deep_enough 0 "^Área ótima = 6$" andor ${DEEP_CUTS} --depth 100)
# --memory-limit: a size that serves, text that is no size, a limit the run cannot keep to
# (a semicolon would split the pattern, so "." stands for it).
cli_test(cli_andor_memory_limit_fits 0 "\"value\":32\\.0"
  andor ${ANDOR_EXAMPLE} --memory-limit 4G --json)
cli_test(cli_andor_memory_limit_bad_text 1 "^Limite de memória inválido: \"12MB\""
  andor ${ANDOR_EXAMPLE} --memory-limit 12MB --json)
cli_test(cli_andor_memory_limit_zero 1 "^Limite de memória inválido: \"0\""
  andor ${ANDOR_EXAMPLE} --memory-limit 0)
cli_test(cli_andor_memory_limit_reached 2
  "^A busca passaria do limite de memória de 1 MiB. use uma Profundidade menor\\.$"
  andor ${ANDOR_EXAMPLE} --memory-limit 1M)
