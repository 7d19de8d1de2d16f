# Bad input and failing writes, end to end.
set(FAULT_EXAMPLE ${CMAKE_CURRENT_SOURCE_DIR}/../data/example.BI)
set(FAULT_WANG ${CMAKE_CURRENT_SOURCE_DIR}/wang_two_types.BI)
set(QUADRIX_CLI $<TARGET_FILE:quadrix-cli>)

# cli_streams_test(NAME STATUS OUT_PATTERN ERR_PATTERN ARGS...): each stream matched apart.
function(cli_streams_test name status out err)
  add_test(NAME ${name}
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/expect_streams.sh ${status} ${out} ${err}
                   ${QUADRIX_CLI} ${ARGN})
  set_tests_properties(${name} PROPERTIES TIMEOUT 120)
endfunction()

# A folder given as the problem file is refused like a file that cannot be read.
foreach(command show andor wang)
  cli_test(cli_${command}_folder_input 1 "^Erro ao abrir o arquivo de entrada!$"
    ${command} ${CMAKE_CURRENT_SOURCE_DIR})
endforeach()

# Texts that cannot serve get their field's message, whatever the command.
cli_test(cli_unknown_command 1 "bogus" bogus ${FAULT_EXAMPLE})
cli_test(cli_unknown_option_first 1 "--bogus" --bogus)
cli_test(cli_wang_beta_beyond_float 1 "^Digite um valor numérico para Beta!$"
  wang ${FAULT_WANG} --beta 1e50 --decimal-separator .)
cli_test(cli_wang_beta_negative_beyond_float 1 "^Digite um valor numérico para Beta!$"
  wang ${FAULT_WANG} --beta -4E38 --decimal-separator .)
cli_test(cli_andor_lambda1_beyond_double 1 "^Digite um valor numérico para Lambda 1!$"
  andor ${FAULT_EXAMPLE} --heuristics --lambda1 1e400 --decimal-separator .)
cli_test(cli_andor_lambda2_beyond_double 1 "^Digite um valor numérico para Lambda 2!$"
  andor ${FAULT_EXAMPLE} --heuristics --lambda2 -1e309 --decimal-separator .)
foreach(command andor wang)
  cli_test(cli_${command}_separator_not_ascii 1 "separador decimal.*\"é\""
    ${command} ${FAULT_WANG} --decimal-separator é --json)
  cli_test(cli_${command}_separator_two_characters 1 "separador decimal"
    ${command} ${FAULT_WANG} --decimal-separator ,, --json)
  cli_test(cli_${command}_separator_digit 1 "separador decimal"
    ${command} ${FAULT_WANG} --decimal-separator 5 --json)
endforeach()

# Empty texts are not taken for absent options.
function(cli_empty_argument_test name pattern)
  add_test(NAME ${name}
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/expect_exit.sh 1 ${pattern} ${QUADRIX_CLI} ${ARGN} "")
  set_tests_properties(${name} PROPERTIES TIMEOUT 120)
endfunction()
cli_empty_argument_test(cli_wang_empty_beta "^Digite um valor numérico para Beta!$"
  wang ${FAULT_WANG} --beta)
cli_empty_argument_test(cli_andor_empty_lambda "^Digite um valor numérico para Lambda 1!$"
  andor ${FAULT_EXAMPLE} --heuristics --lambda1)
cli_empty_argument_test(cli_wang_empty_output "^Informe um nome de arquivo para -o\\.$"
  wang ${FAULT_WANG} -o)
cli_empty_argument_test(cli_andor_empty_output "^Informe um nome de arquivo para -o\\.$"
  andor ${FAULT_EXAMPLE} --output)
cli_empty_argument_test(cli_andor_empty_svg "^Informe um nome de arquivo para --svg\\.$"
  andor ${FAULT_EXAMPLE} --svg)
cli_empty_argument_test(cli_wang_empty_separator "separador decimal"
  wang ${FAULT_WANG} --decimal-separator)

# A failed run names the reason the program knows, beside the window's message.
cli_test(cli_andor_set_fails_names_the_limit 2
  "Solução não pôde ser calculada! Motivo: um conjunto de discretização"
  andor ${FAULT_EXAMPLE} --unconstrained --set-size 1)

# With --json, standard output holds the JSON object alone.
cli_streams_test(cli_andor_json_builder_line_on_stderr 2 "^$"
  "Nao e possivel gerar o conjunto de discretizacao!.*Solução não pôde ser calculada!"
  andor ${FAULT_EXAMPLE} --unconstrained --set-size 1 --json)
cli_streams_test(cli_andor_report_keeps_builder_line 2
  "^.Nao e possivel gerar o conjunto de discretizacao!$" "Solução não pôde ser calculada!"
  andor ${FAULT_EXAMPLE} --unconstrained --set-size 1)
cli_streams_test(cli_andor_json_alone 0 "^\\{\"problem\":.*\\}$" "^$" andor ${FAULT_EXAMPLE} --json)
cli_streams_test(cli_wang_json_alone 0 "^\\{\"patterns\":.*\\}$" "^$" wang ${FAULT_WANG} --json)

# Standard output that cannot be written is an error.
set(FULL_OUTPUT_COMMANDS
    "show\;${FAULT_EXAMPLE}"
    "show\;${FAULT_EXAMPLE}\;--json"
    "andor\;${FAULT_EXAMPLE}"
    "andor\;${FAULT_EXAMPLE}\;--json"
    "wang\;${FAULT_WANG}"
    "wang\;${FAULT_WANG}\;--json")
set(index 0)
foreach(arguments IN LISTS FULL_OUTPUT_COMMANDS)
  math(EXPR index "${index} + 1")
  add_test(NAME cli_full_standard_output_${index}
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/expect_exit.sh 1
                   "^Não foi possível escrever na saída padrão"
                   ${CMAKE_CURRENT_SOURCE_DIR}/to_dev_full.sh ${QUADRIX_CLI} ${arguments})
  set_tests_properties(cli_full_standard_output_${index} PROPERTIES TIMEOUT 120)
endforeach()

# A write that fails part-way keeps the file it would have replaced.
function(cli_keeps_old_file_test name)
  add_test(NAME ${name}
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/keeps_old_file.sh ${QUADRIX_CLI} ${ARGN})
  set_tests_properties(${name} PROPERTIES TIMEOUT 120)
endfunction()
cli_keeps_old_file_test(cli_wang_report_keeps_old_file wang ${FAULT_WANG} -o ALVO)
cli_keeps_old_file_test(cli_andor_report_keeps_old_file andor ${FAULT_EXAMPLE} -o ALVO)
cli_keeps_old_file_test(cli_wang_svg_keeps_old_file wang ${FAULT_WANG} --svg ALVO)
cli_keeps_old_file_test(cli_andor_svg_keeps_old_file andor ${FAULT_EXAMPLE} --svg ALVO)

# Under a locale whose decimal point takes two bytes, the numbers are written with a point.
function(cli_multibyte_locale_test name pattern)
  cli_test(${name} 0 ${pattern} ${ARGN})
  set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "LOCPATH=${QUADRIX_TEST_LOCALES};LC_ALL=ps_AF.UTF-8"
      FIXTURES_REQUIRED multibyte_locale)
endfunction()
cli_multibyte_locale_test(cli_andor_json_multibyte_locale "\"lossText\":\"7\\.5\"\\}$"
  andor ${FAULT_EXAMPLE} --unconstrained --depth 2 --json)
cli_multibyte_locale_test(cli_wang_report_multibyte_locale "^Perda = 33\\.3333320617676 %$"
  wang ${FAULT_WANG} --beta 0.1)

# --progress: lines of elapsed time and counts on standard error, the last when the run ends.
cli_streams_test(cli_andor_progress 0 "Perda" "^([0-9]+ s · [0-9]+ estados resolvidos.?)+$"
  andor ${FAULT_EXAMPLE} --unconstrained --depth 2 --progress)
cli_streams_test(cli_wang_progress 0 "Perda"
  "^([0-9]+ s( · passo [0-9]+ · [0-9]+ padrões · [0-9]+ construções tentadas)?.?)+$"
  wang ${FAULT_WANG} --progress)

# Ctrl+C ends a long run with status 130 and leaves an existing -o target alone.
foreach(command andor wang)
  set(target ${CMAKE_CURRENT_BINARY_DIR}/interrupted_${command}.txt)
  if(command STREQUAL andor)
    set(long_run andor ${QUADRIX_INSTANCES_DIR}/Hchl2.BI --depth 5)
  else()
    set(long_run wang ${QUADRIX_INSTANCES_DIR}/okp1.BI --beta 1 --decimal-separator .)
  endif()
  add_test(NAME cli_${command}_interrupted
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/expect_interrupt.sh ${target}
                   ${QUADRIX_CLI} ${long_run} --progress -o ${target})
  set_tests_properties(cli_${command}_interrupted PROPERTIES TIMEOUT 120)
endforeach()
