# Turns docs/guide.md into a page of its own: cmark-gfm's HTML (GitHub's
# Markdown, with tables) inside a head, the section headings given the ids
# the guide's contents link to.
execute_process(COMMAND ${CMARK} --extension table --to html ${IN}
                OUTPUT_VARIABLE body RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cmark-gfm could not read ${IN}")
endif()
string(REGEX MATCHALL "<h2>[^<]*</h2>" headings "${body}")
foreach(heading IN LISTS headings)
  string(REGEX REPLACE "</?h2>" "" text "${heading}")
  string(TOLOWER "${text}" slug)
  string(REGEX REPLACE "[^a-z0-9 -]" "" slug "${slug}")
  string(REPLACE " " "-" slug "${slug}")
  string(REPLACE "${heading}" "<h2 id=\"${slug}\">${text}</h2>" body "${body}")
endforeach()
file(WRITE ${OUT} "<!DOCTYPE html>
<html lang=\"en\">
<head>
<meta charset=\"utf-8\">
<title>Quarvex: the player's guide</title>
<style>
body { max-width: 52em; margin: 2em auto; padding: 0 1em; font-family: sans-serif; line-height: 1.45; }
img { max-width: 100%; border: 1px solid #999; }
pre { background: #f4f4f4; padding: 0.6em; overflow-x: auto; }
table { border-collapse: collapse; } td, th { border: 1px solid #bbb; padding: 0.3em 0.5em; vertical-align: top; }
</style>
</head>
<body>
${body}</body>
</html>
")
