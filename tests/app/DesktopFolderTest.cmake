# quorvane --folder and QUORVANE_FOLDER: --help names the folder and says why,
# and a session takes its events from it (a trace counts the port writes);
# and the usage errors of the command line.
# Run with -DPROGRAM=<quorvane> -DDATA=<the shipped data> -DWORK=<scratch folder>
# and, for the Windows build, whose folders end in a backslash, -DWINDOWS=ON and
# -DEMULATOR=<what runs the program>.
cmake_minimum_required(VERSION 3.25)  # lists keep empty elements (CMP0007)

function(run_quorvane)
  cmake_parse_arguments(RUN "" "STATUS;OUTPUT" "ENV;ARGS" ${ARGN})
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${RUN_ENV} ${EMULATOR} ${PROGRAM} ${RUN_ARGS}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out TIMEOUT 60)
  set(${RUN_STATUS} ${status} PARENT_SCOPE)
  set(${RUN_OUTPUT} "${out}" PARENT_SCOPE)
endfunction()

function(expect_contains text part what)
  string(FIND "${text}" "${part}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${what}: expected\n${part}\nin\n${text}")
  endif()
endfunction()

# A session that sends the default command list and ends; the number of port
# writes it made.
function(count_writes folder result)
  file(REMOVE ${WORK}/t.csv)
  run_quorvane(STATUS status OUTPUT out
               ARGS --port sim --folder ${folder} --trace ${WORK}/t.csv --screenshot ${WORK}/s.png)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "quorvane --folder ${folder} --screenshot ended with ${status}:\n${out}")
  endif()
  file(STRINGS ${WORK}/t.csv lines)
  list(LENGTH lines count)
  math(EXPR count "${count} - 1")
  set(${result} ${count} PARENT_SCOPE)
endfunction()

set(sep "/")
if(WINDOWS)
  set(sep "\\")
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/empty)

run_quorvane(STATUS status OUTPUT out ARGS --folder ${WORK}/chosen --help)
expect_contains("${out}" "Usage: quorvane [--port PORT] [--folder DIR]" "--help")
expect_contains("${out}" "Program folder (the event files and images/lcd_N.bmp): ${WORK}/chosen${sep}\n  given by --folder." "--help --folder")
run_quorvane(STATUS status OUTPUT out ENV QUORVANE_FOLDER=${WORK}/variable ARGS --help)
expect_contains("${out}" ": ${WORK}/variable${sep}\n  given by the environment variable QUORVANE_FOLDER." "QUORVANE_FOLDER")
run_quorvane(STATUS status OUTPUT out ENV QUORVANE_FOLDER=${WORK}/variable ARGS --folder=${WORK}/chosen --help)
expect_contains("${out}" ": ${WORK}/chosen${sep}\n  given by --folder." "--folder beats QUORVANE_FOLDER")

# Usage errors end with status 2 and say what was wrong, before --help or
# anything else is done. Each row: the message, then two arguments, which may
# be empty (an empty folder would be the root folder).
foreach(row "--folder needs a value;--help;--folder"
            "--folder needs a folder, not an empty text;--help;--folder="
            "--folder needs a folder, not an empty text;--folder;"
            "unknown option '--bogus=1';--help;--bogus=1"
            "unknown option '-hx';-hx;--help"
            "unknown option 'stray';--port=sim;stray"
            "--help takes no value;--port=sim;--help=1")
  list(GET row 0 said)
  list(GET row 1 first)
  list(GET row 2 second)
  execute_process(COMMAND ${EMULATOR} ${PROGRAM} "${first}" "${second}" RESULT_VARIABLE status
                  OUTPUT_VARIABLE out ERROR_VARIABLE out TIMEOUT 60)
  if(NOT status EQUAL 2)
    message(FATAL_ERROR "quorvane '${first}' '${second}' ended with ${status}, not 2:\n${out}")
  endif()
  expect_contains("${out}" "quorvane: ${said}\nTry 'quorvane --help'.\n" "'${first}' '${second}'")
endforeach()

# Start-up (2 writes), six command bytes of 18 writes each, shut-down (2).
count_writes(${DATA} withEvents)
count_writes(${WORK}/empty withoutEvents)
if(NOT withEvents EQUAL 112 OR NOT withoutEvents EQUAL 4)
  message(FATAL_ERROR "port writes with the shipped events ${withEvents} (expected 112), "
                      "from an empty folder ${withoutEvents} (expected 4)")
endif()
