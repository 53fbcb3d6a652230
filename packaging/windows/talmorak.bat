@echo off
rem Starts Talmorak Arena from its bin folder, where the game looks for its
rem "..\bin\..." files, whatever folder this is started from, and passes the
rem game's exit code on.
setlocal
pushd "%~dp0bin"
talmorak.exe %*
set GAME_EXIT=%ERRORLEVEL%
popd
endlocal & exit /b %GAME_EXIT%
