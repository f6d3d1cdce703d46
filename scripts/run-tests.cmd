@echo off
rem Runs every test program in this folder, the unzipped Bytrane test archive, one after the
rem other: each writes its GoogleTest report to results\<program>.xml and its output to
rem results\<program>.log. Prints one line per program and, last, the totals of the archive.
rem Arguments go to every program, for example --gtest_filter=StartupJourney.*
rem Exits with 1 when a test failed or a program did not run to its end, otherwise with 0.
rem
rem Only commands of cmd itself are used: no PowerShell, and no find or findstr that a
rem Unix-like toolset early on the PATH could stand in for.
setlocal EnableExtensions DisableDelayedExpansion
cd /d "%~dp0"
set "FLAVOUR=@FLAVOUR@"
set "ARGUMENTS=%*"
if not exist results mkdir results
del /q results\*.xml results\*.log 2>nul
set /a tests=0, passed=0, skipped=0, failed=0, programs=0, unfinished=0
for %%P in (*_tests.exe) do call :run "%%~nP"
if %programs% equ 0 (
  echo %FLAVOUR%: no test program in %CD%
  exit /b 1
)
if %unfinished% gtr 0 echo %unfinished% of %programs% test programs did not run to their end
echo %FLAVOUR%: %tests% tests, %passed% passed, %skipped% skipped, %failed% failed
if %failed% gtr 0 exit /b 1
if %unfinished% gtr 0 exit /b 1
exit /b 0

rem Runs one program and reads GoogleTest's closing summary from its output. That summary begins
rem with the line "[==========] N tests from M test suites ran."; the counts are the lines
rem "[  PASSED  ] N tests." and "[  SKIPPED ] N tests, listed below:" (FAILED likewise) after it.
:run
set /a programs+=1
set "ran="
set /a ok=0, skip=0, fail=0
"%~1.exe" --gtest_output=xml:results\%~1.xml %ARGUMENTS% >"results\%~1.log" 2>&1
set "code=%errorlevel%"
for /f "usebackq tokens=1-5" %%a in ("results\%~1.log") do (
  if "%%a"=="[==========]" if "%%c"=="tests" set "ran=%%b"
  if "%%a"=="[==========]" if "%%c"=="test" set "ran=%%b"
  if defined ran if "%%a %%b %%c"=="[ PASSED ]" set "ok=%%d"
  if defined ran if "%%a %%b %%c"=="[ SKIPPED ]" if "%%e"=="tests," set "skip=%%d"
  if defined ran if "%%a %%b %%c"=="[ SKIPPED ]" if "%%e"=="test," set "skip=%%d"
  if defined ran if "%%a %%b %%c"=="[ FAILED ]" if "%%e"=="tests," set "fail=%%d"
  if defined ran if "%%a %%b %%c"=="[ FAILED ]" if "%%e"=="test," set "fail=%%d"
)
if not defined ran (
  set /a unfinished+=1
  echo %~1: did not run to its end, exit code %code%; its output is in results\%~1.log
  goto :eof
)
set /a tests+=ran, passed+=ok, skipped+=skip, failed+=fail
echo %~1: %ran% tests, %ok% passed, %skip% skipped, %fail% failed
if %fail% gtr 0 call :failures "%~1"
if %fail% equ 0 if not "%code%"=="0" (
  set /a unfinished+=1
  echo %~1: exited with code %code% after its tests had passed
)
goto :eof

rem Names the failed tests: the names listed under FAILED in the closing summary.
:failures
set "ran="
for /f "usebackq tokens=1-5" %%a in ("results\%~1.log") do (
  if "%%a"=="[==========]" if "%%c"=="tests" set "ran=%%b"
  if "%%a"=="[==========]" if "%%c"=="test" set "ran=%%b"
  if defined ran if "%%a %%b %%c"=="[ FAILED ]" if not "%%e"=="tests," if not "%%e"=="test," echo   failed: %%d
)
goto :eof
