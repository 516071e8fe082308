#include "app/Startup.h"

#include <chrono>
#include <thread>

#include "app/AppClasses.h"
#include "app/TOMR_Splash.h"
#include "app/TSystemServices.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TIcon.h"
#include "platform/win/ProgramIcon.h"

TForm1* Form1 = nullptr;

int RunProgram(const TStartOptions& Options)
{
    RegisterAppClasses();
    Application->SetTitle("Ombrix Free");
    // Every window the program shows carries its icon, the splash too.
    Application->Icon()->SetPicture(ProgramIconPicture());
    SetProgramIcon(Application->Icon()->Picture());
    auto* splash = new TOMR_Splash(Application);
    splash->Show();
    splash->BringToFront();
    Application->Initialize();
    // Painted once now: nothing else paints it while the thread sleeps below.
    splash->Update();
    Application->ProcessMessages();
    if (Options.SplashMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(Options.SplashMs));
    Application->SetTitle("Ombrix Free");

    // The machine's services outlive the windows: they go only when the program block returns.
    TLocalSystemServices system;
    Application->CreateForm(Form1, system);
    TForm2* preview = nullptr;
    Application->CreateForm(preview);
    preview->Attach(Form1, Form1->Queue);
    splash->Hide();
    splash->Free();

    if (Options.OnReady)
        Options.OnReady(*Form1);
    Application->Run();
    // Frees the windows: the main window's destroy handler saves and ends the tools once more.
    DoneApplication();
    Form1 = nullptr;
    return 0;
}
