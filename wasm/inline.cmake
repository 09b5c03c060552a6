# cmake -DWASM=... -DTEMPLATE=... -DOUT=... -DSUMA_VERSION=... -P inline.cmake: the ES module,
# its template with the wasm written in as base64.
execute_process(COMMAND base64 -w0 ${WASM} OUTPUT_VARIABLE SUMA_WASM_BASE64 COMMAND_ERROR_IS_FATAL ANY)
configure_file(${TEMPLATE} ${OUT} @ONLY)
