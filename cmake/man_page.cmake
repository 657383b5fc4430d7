# Makes a man page from its source in docs/man/, run as a script at build time:
#   cmake -DSOURCE=docs/man/skirmish.6.in -DOUTPUT=man/skirmish.6 -DPROGRAM=bin/skirmish
#         -DVERSION=1.0.0 -DDATE=2026-12-10 -P man_page.cmake
# The source is man source in which @VERSION@ and @DATE@ stand for the release, @SYNOPSIS@ for the
# usage lines of `PROGRAM --help` and @HELP@ for the rest of that text: its notes as a paragraph
# and each option ("  --name ARG   what it does") as a tagged paragraph, a line indented deeper going
# on with the entry above it. After the options, a heading ("keys of ...:") starts a subsection whose
# entries ("  Name   what it does") are tagged paragraphs too. So the options are written once, in the
# program, and the page cannot fall behind them.
cmake_minimum_required(VERSION 3.25)

file(READ "${SOURCE}" page)

# CMake lists are separated by ';', which the texts use too: it is swapped for the unit separator
# while the text is handled line by line.
string(ASCII 31 kSemicolon)

# Text made safe for roff: backslashes and hyphens escaped, no line starting with a control character.
function(roff_text text out)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "^([.'])" "\\\\&\\1" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# "--seed N" becomes the option in bold and its argument in italics.
function(roff_option option_line out)
  string(REGEX MATCH "^([^ ]+)(.*)$" ignored "${option_line}")
  roff_text("${CMAKE_MATCH_1}" name)
  string(STRIP "${CMAKE_MATCH_2}" argument)
  roff_text("${argument}" argument)
  if(NOT argument STREQUAL "")
    set(${out} "\\fB${name}\\fR \\fI${argument}\\fR" PARENT_SCOPE)
  else()
    set(${out} "\\fB${name}\\fR" PARENT_SCOPE)
  endif()
endfunction()

string(FIND "${page}" "@SYNOPSIS@" synopsisAt)
string(FIND "${page}" "@HELP@" helpAt)
if(synopsisAt GREATER_EQUAL 0 OR helpAt GREATER_EQUAL 0)
  execute_process(COMMAND "${PROGRAM}" --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help failed (${status})")
  endif()
  get_filename_component(program "${PROGRAM}" NAME)
  string(REPLACE ";" "${kSemicolon}" help "${help}")
  string(REPLACE "\n" ";" lines "${help}")
  set(synopsis ".nf\n")
  set(notes "")
  set(options "")
  # Whether an entry is open for the deeper-indented lines that go on with it.
  set(inEntry FALSE)
  foreach(line IN LISTS lines)
    if(line MATCHES "^(usage: +|       +)${program}( .*)?$")
      roff_text("${CMAKE_MATCH_2}" arguments)
      string(APPEND synopsis "\\fB${program}\\fR${arguments}\n")
    elseif(inEntry AND line MATCHES "^    +(.+)$")
      roff_text("${CMAKE_MATCH_1}" text)
      string(APPEND options "${text}\n")
    elseif(line MATCHES "^  (-[^ ]+( [^ -][^ ]*)?)  +(.+)$")
      roff_option("${CMAKE_MATCH_1}" tag)
      roff_text("${CMAKE_MATCH_3}" text)
      string(APPEND options ".TP\n${tag}\n${text}\n")
      set(inEntry TRUE)
    elseif(NOT options STREQUAL "" AND line MATCHES "^  ([^ ]+( [^ ]+)*)  +(.+)$")
      roff_text("${CMAKE_MATCH_1}" name)
      roff_text("${CMAKE_MATCH_3}" text)
      string(APPEND options ".TP\n\\fB${name}\\fR\n${text}\n")
      set(inEntry TRUE)
    elseif(NOT options STREQUAL "" AND line MATCHES "^([^ ].*):$")
      roff_text("${CMAKE_MATCH_1}" text)
      string(APPEND options ".SS \"${text}\"\n")
      set(inEntry FALSE)
    elseif(NOT line STREQUAL "")
      roff_text("${line}" text)
      string(APPEND notes "${text}\n")
      set(inEntry FALSE)
    endif()
  endforeach()
  string(APPEND synopsis ".fi")
  if(NOT notes STREQUAL "")
    set(notes ".PP\n${notes}")
  endif()
  set(helpText "${notes}${options}")
  string(REGEX REPLACE "\n$" "" helpText "${helpText}")
  string(REPLACE "${kSemicolon}" ";" synopsis "${synopsis}")
  string(REPLACE "${kSemicolon}" ";" helpText "${helpText}")
  string(REPLACE "@SYNOPSIS@" "${synopsis}" page "${page}")
  string(REPLACE "@HELP@" "${helpText}" page "${page}")
endif()

string(REPLACE "@VERSION@" "${VERSION}" page "${page}")
string(REPLACE "@DATE@" "${DATE}" page "${page}")
file(WRITE "${OUTPUT}.tmp" "${page}")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
