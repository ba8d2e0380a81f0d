@echo off
rem Installs a receipt printer on this terminal, for a start-up script (Group Policy) or a
rem remote shell. Runs Setup.exe by its full path, from a network share or any folder: Setup.exe
rem takes its package from its own folder, whatever the current folder is.
rem
rem   install-printer.cmd [KIT [ANSWERS [MODEL [LOG]]]]
rem     KIT      the folder of Setup.exe             (default \\server\drivers\printer)
rem     ANSWERS  the answers file                     (default KIT\answers.ini)
rem     MODEL    the model, as setup.ini [DEVICENAME] spells it
rem                                                   (default TP-R80-ReceiptPrinter)
rem     LOG      the log both runs append to          (default %TEMP%\printer-setup.log)
rem Exit code: 0 installed (now or before), 3010 installed after the next restart, 1602 nothing
rem changed, 1603 failed or only partly installed, 87 bad arguments or answers file.
setlocal
set KIT=%~1
if "%KIT%"=="" set KIT=\\server\drivers\printer
set ANSWERS=%~2
if "%ANSWERS%"=="" set ANSWERS=%KIT%\answers.ini
set MODEL=%~3
if "%MODEL%"=="" set MODEL=TP-R80-ReceiptPrinter
set LOG=%~4
if "%LOG%"=="" set LOG=%TEMP%\printer-setup.log

rem Done on this terminal already: nothing to do (1605: not yet installed).
"%KIT%\Setup.exe" /query:%MODEL% /log:"%LOG%"
set RESULT=%ERRORLEVEL%
if %RESULT%==0 goto installed
if not %RESULT%==1605 goto failed

"%KIT%\Setup.exe" /quiet /answers:"%ANSWERS%" /log:"%LOG%"
set RESULT=%ERRORLEVEL%
if %RESULT%==0 goto installed
if %RESULT%==3010 goto restart
if %RESULT%==1602 goto unchanged
if %RESULT%==1603 echo %MODEL% may be only partly installed: a step failed.
goto failed

:installed
echo %MODEL% is installed.
exit /b 0

:restart
echo %MODEL% is installed; it takes effect after the next restart.
exit /b 3010

:unchanged
echo %MODEL% was not installed; nothing was changed. See %LOG%.
exit /b 1602

:failed
echo %MODEL% could not be installed (exit code %RESULT%). See %LOG%.
exit /b %RESULT%
