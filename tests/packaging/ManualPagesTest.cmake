# Each manual page names exactly the options that the program's --help names,
# every environment variable --help names, and has the sections NAME,
# SYNOPSIS, DESCRIPTION, OPTIONS, EXIT STATUS, ENVIRONMENT, FILES and EXAMPLES.
# Run with -DSEND=<quorvane-send> -DDESKTOP=<quorvane or empty> -DMAN_DIR=<pages>.

function(check_page program page)
  execute_process(COMMAND ${program} --help OUTPUT_VARIABLE help RESULT_VARIABLE status
                  TIMEOUT 30)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${program} --help ended with ${status}")
  endif()
  file(READ ${MAN_DIR}/${page} roff)
  # roff writes a hyphen that must stay one as "\-".
  string(REPLACE "\\-" "-" text "${roff}")

  string(REGEX MATCHALL "--[a-z][-a-z]*" helpOptions "${help}")
  string(REGEX MATCHALL "--[a-z][-a-z]*" pageOptions "${text}")
  foreach(list helpOptions pageOptions)
    list(REMOVE_DUPLICATES ${list})
    list(SORT ${list})
  endforeach()
  if(NOT helpOptions STREQUAL pageOptions)
    set(onlyHelp ${helpOptions})
    list(REMOVE_ITEM onlyHelp ${pageOptions})
    set(onlyPage ${pageOptions})
    list(REMOVE_ITEM onlyPage ${helpOptions})
    message(SEND_ERROR "${page}: options only in --help: ${onlyHelp}; only in the page: ${onlyPage}")
  endif()

  string(REGEX MATCHALL "(QUORVANE_[A-Z]+|XDG_[A-Z_]+)" variables "${help}")
  list(REMOVE_DUPLICATES variables)
  foreach(variable ${variables})
    if(NOT text MATCHES "\n\\.B ${variable}\n")
      message(SEND_ERROR "${page}: the environment variable ${variable} has no entry")
    endif()
  endforeach()

  foreach(section NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" ENVIRONMENT FILES EXAMPLES)
    if(NOT text MATCHES "\n\\.SH ${section}\n")
      message(SEND_ERROR "${page}: no section ${section}")
    endif()
  endforeach()
endfunction()

check_page(${SEND} quorvane-send.1)
if(DESKTOP)
  check_page(${DESKTOP} quorvane.1)
endif()
