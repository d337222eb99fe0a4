<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="it_IT">
<context>
    <name>AppDelegate</name>
    <message>
        <source>Mostra Control Panel</source>
        <translation>Show Control Panel</translation>
    </message>
    <message>
        <source>Esci</source>
        <translation>Quit</translation>
    </message>
</context>
<context>
    <name>BatteryRingView</name>
    <message>
        <source>In carica</source>
        <translation>Charging</translation>
    </message>
    <message>
        <source>Alimentazione</source>
        <translation>Power</translation>
    </message>
</context>
<context>
    <name>BatteryWidgetView</name>
    <message>
        <source>Nessuna batteria</source>
        <translation>No battery</translation>
    </message>
</context>
<context>
    <name>ClockSidePanel</name>
    <message>
        <source>Nessun altro impegno oggi</source>
        <translation>No more events today</translation>
    </message>
</context>
<context>
    <name>ClockText</name>
    <message>
        <source>dddd, MMM d</source>
        <comment>QLocale date pattern, month before day</comment>
        <translation>dddd, MMM d</translation>
    </message>
    <message>
        <source>dddd, d MMM</source>
        <comment>QLocale date pattern, day before month</comment>
        <translation>dddd, d MMM</translation>
    </message>
    <message>
        <source>dddd, MMMM d</source>
        <comment>QLocale date pattern said in full, month before day</comment>
        <translation>dddd, MMMM d</translation>
    </message>
    <message>
        <source>dddd, d MMMM</source>
        <comment>QLocale date pattern said in full, day before month</comment>
        <translation>dddd, d MMMM</translation>
    </message>
</context>
<context>
    <name>ExtensionLoader</name>
    <message>
        <source>creato per la API dei widget %1, questo host ha la %2</source>
        <translation>built for widget API %1, this host has %2</translation>
    </message>
    <message>
        <source>creato per la API dei widget %1, questo host ha la %2 (serve un PellixWidget più recente)</source>
        <translation>built for widget API %1, this host has %2 (it needs a newer PellixWidget)</translation>
    </message>
    <message>
        <source>%1 appartiene a un altro utente (uid %2)</source>
        <translation>%1 belongs to another user (uid %2)</translation>
    </message>
    <message>
        <source>%1 è scrivibile da altri utenti</source>
        <translation>%1 is writable by other users</translation>
    </message>
    <message>
        <source>non si può leggere</source>
        <translation>cannot be read</translation>
    </message>
    <message>
        <source>non è un plug-in Qt</source>
        <translation>not a Qt plug-in</translation>
    </message>
    <message>
        <source>non è un&apos;estensione di PellixWidget (la sua interfaccia è «%1»)</source>
        <translation>not a PellixWidget extension (its interface is “%1”)</translation>
    </message>
    <message>
        <source>mancano l&apos;id o la versione della API nei suoi metadati (li dichiara pellix_add_widget_extension)</source>
        <translation>no id or API version in its metadata (pellix_add_widget_extension declares them)</translation>
    </message>
    <message>
        <source>l&apos;id %1 è già usato da %2</source>
        <translation>%1 was found first at %2</translation>
    </message>
    <message>
        <source>non si può caricare: %1</source>
        <translation>cannot be loaded: %1</translation>
    </message>
    <message>
        <source>il suo oggetto plug-in non è un bundle di widget</source>
        <translation>its plug-in object is no widget bundle</translation>
    </message>
</context>
<context>
    <name>ExtensionServer</name>
    <message>
        <source>bloccato nel disegno per %1 s</source>
        <translation>hung while drawing for %1 s</translation>
    </message>
    <message>
        <source>bloccato nel suo provider per %1 s</source>
        <translation>hung in its provider for %1 s</translation>
    </message>
    <message>
        <source>bloccato in %1 per %2 s</source>
        <translation>hung in %1 for %2 s</translation>
    </message>
    <message>
        <source>ha superato il suo limite di memoria di %1 MB</source>
        <translation>ran past its %1 MB memory cap</translation>
    </message>
    <message>
        <source>ha superato il suo limite di memoria</source>
        <translation>ran past its memory cap</translation>
    </message>
</context>
<context>
    <name>GalleryWindow</name>
    <message>
        <source>Galleria widget</source>
        <translation>Widget Gallery</translation>
    </message>
</context>
<context>
    <name>MusicContentView</name>
    <message>
        <source>In attesa di musica…</source>
        <translation>Waiting for music…</translation>
    </message>
    <message>
        <source>Brano precedente</source>
        <translation>Previous Track</translation>
    </message>
    <message>
        <source>Metti in pausa</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Riproduci</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Brano successivo</source>
        <translation>Next Track</translation>
    </message>
</context>
<context>
    <name>MusicWidgetView</name>
    <message>
        <source>in riproduzione</source>
        <translation>playing</translation>
    </message>
</context>
<context>
    <name>PellixBatteryWidgetView</name>
    <message>
        <source>STATO BATTERIA</source>
        <translation>BATTERY STATUS</translation>
    </message>
    <message>
        <source>100% - Carica</source>
        <translation>100% - Charged</translation>
    </message>
</context>
<context>
    <name>PellixClockWidgetView</name>
    <message>
        <source>dddd MMMM d</source>
        <comment>QLocale date pattern, month before day</comment>
        <translation>dddd, MMMM d</translation>
    </message>
    <message>
        <source>dddd d MMMM</source>
        <comment>QLocale date pattern, day before month</comment>
        <translation>dddd d MMMM</translation>
    </message>
</context>
<context>
    <name>PellixMusicWidgetView</name>
    <message>
        <source>Non in Riproduzione</source>
        <translation>Not Playing</translation>
    </message>
    <message>
        <source>In Riproduzione</source>
        <translation>Now Playing</translation>
    </message>
    <message>
        <source>Riproduci della musica</source>
        <translation>Play some music</translation>
    </message>
</context>
<context>
    <name>PellixWeatherWidgetView</name>
    <message>
        <source>Percepito %1</source>
        <comment>felt temperature</comment>
        <translation>Feels like %1</translation>
    </message>
    <message>
        <source>METEO</source>
        <translation>WEATHER</translation>
    </message>
    <message>
        <source>Nessun dato</source>
        <translation>No data</translation>
    </message>
</context>
<context>
    <name>PellixWidgets</name>
    <message>
        <source>Pellix - Orologio</source>
        <translation>Pellix - Clock</translation>
    </message>
    <message>
        <source>Visualizza l&apos;ora corrente e la data.</source>
        <translation>Shows the current time and date.</translation>
    </message>
    <message>
        <source>Pellix - Meteo</source>
        <translation>Pellix - Weather</translation>
    </message>
    <message>
        <source>Visualizza la temperatura e le condizioni del meteo corrente.</source>
        <translation>Shows the current temperature and weather conditions.</translation>
    </message>
    <message>
        <source>Pellix - Now Playing</source>
        <translation>Pellix - Now Playing</translation>
    </message>
    <message>
        <source>Visualizza il brano attualmente in riproduzione.</source>
        <translation>Shows the track that is playing now.</translation>
    </message>
    <message>
        <source>Pellix - Batteria</source>
        <translation>Pellix - Battery</translation>
    </message>
    <message>
        <source>Controlla lo stato della batteria del MacBook e degli accessori.</source>
        <translation>Shows the battery of the computer and its accessories.</translation>
    </message>
</context>
<context>
    <name>WeatherContentView</name>
    <message>
        <source>AGGIORNAMENTO…</source>
        <translation>UPDATING…</translation>
    </message>
    <message>
        <source>ERRORE DI RETE</source>
        <translation>NETWORK ERROR</translation>
    </message>
</context>
<context>
    <name>WeatherText</name>
    <message>
        <source>Sereno</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Parz. nuvoloso</source>
        <translation>Partly Cloudy</translation>
    </message>
    <message>
        <source>Nuvoloso</source>
        <translation>Cloudy</translation>
    </message>
    <message>
        <source>Nebbia</source>
        <translation>Fog</translation>
    </message>
    <message>
        <source>Pioggerella</source>
        <translation>Drizzle</translation>
    </message>
    <message>
        <source>Pioggia</source>
        <translation>Rain</translation>
    </message>
    <message>
        <source>Neve</source>
        <translation>Snow</translation>
    </message>
    <message>
        <source>Rovesci</source>
        <translation>Showers</translation>
    </message>
    <message>
        <source>Temporale</source>
        <translation>Thunderstorm</translation>
    </message>
    <message>
        <source>Sconosciuto</source>
        <translation>Unknown</translation>
    </message>
    <message>
        <source>H:%1 L:%2</source>
        <comment>today&apos;s high and low</comment>
        <translation>H:%1 L:%2</translation>
    </message>
</context>
<context>
    <name>extensions::ExtensionProcess</name>
    <message>
        <source>si è chiuso in modo anomalo (segnale %1)</source>
        <translation>crashed (signal %1)</translation>
    </message>
    <message>
        <source>è uscito da solo (stato %1)</source>
        <translation>exited on its own (status %1)</translation>
    </message>
    <message>
        <source>non si è avviato entro %1 s</source>
        <translation>did not start within %1 s</translation>
    </message>
    <message>
        <source>non si può eseguire %1</source>
        <translation>cannot run %1</translation>
    </message>
    <message>
        <source>non risponde da %1 s</source>
        <translation>stopped answering for %1 s</translation>
    </message>
</context>
<context>
    <name>panel::BatteryDeviceList</name>
    <message>
        <source>Mostra dispositivi:</source>
        <translation>Show devices:</translation>
    </message>
</context>
<context>
    <name>panel::ControlPanelView</name>
    <message>
        <source>Widget</source>
        <translation>Widgets</translation>
    </message>
    <message>
        <source>Impostazioni</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Widget premium per %1</source>
        <translation>Premium widgets for %1</translation>
    </message>
</context>
<context>
    <name>panel::ExtensionSection</name>
    <message>
        <source>Widget delle estensioni</source>
        <translation>Extension widgets</translation>
    </message>
    <message>
        <source>Avvio delle estensioni in corso</source>
        <translation>Extensions are starting</translation>
    </message>
    <message>
        <source>Rifiutata</source>
        <translation>Refused</translation>
    </message>
    <message>
        <source>Fermata</source>
        <translation>Stopped</translation>
    </message>
</context>
<context>
    <name>panel::SettingsTab</name>
    <message>
        <source>Tema Vetro Widget</source>
        <translation>Widget Glass Theme</translation>
    </message>
    <message>
        <source>Liquid Glass Trasparente</source>
        <translation>Liquid Glass Clear</translation>
    </message>
    <message>
        <source>Liquid Glass Opaco</source>
        <translation>Liquid Glass Opaque</translation>
    </message>
    <message>
        <source>Aspetto</source>
        <translation>Appearance</translation>
    </message>
    <message>
        <source>Configura il meteo</source>
        <translation>Weather Setup</translation>
    </message>
    <message>
        <source>App</source>
        <translation>App</translation>
    </message>
    <message>
        <source>Versione</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Autore</source>
        <translation>Author</translation>
    </message>
</context>
<context>
    <name>panel::WeatherLocationCard</name>
    <message>
        <source>Città</source>
        <translation>City</translation>
    </message>
    <message>
        <source>es. Milano, Roma, Napoli</source>
        <translation>e.g. London, New York, Sydney</translation>
    </message>
    <message>
        <source>Salva</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Posizione automatica (via IP)</source>
        <translation>Automatic Location (via IP)</translation>
    </message>
    <message>
        <source>Rileva la tua città dall&apos;indirizzo IP</source>
        <translation>Finds your city from your IP address</translation>
    </message>
    <message>
        <source>Ricerca in corso…</source>
        <translation>Searching…</translation>
    </message>
    <message>
        <source>Errore di rete</source>
        <translation>Network error</translation>
    </message>
    <message>
        <source>✓ Impostato su %1</source>
        <translation>✓ Set to %1</translation>
    </message>
    <message>
        <source>Città non trovata</source>
        <translation>City not found</translation>
    </message>
</context>
<context>
    <name>panel::WidgetsTab</name>
    <message>
        <source>Attiva e gestisci i tuoi widget</source>
        <translation>Turn on and manage your widgets</translation>
    </message>
    <message>
        <source>Orologio &amp; Data</source>
        <translation>Clock &amp; Date</translation>
    </message>
    <message>
        <source>Analogico o digitale minimalista</source>
        <translation>Minimal, analog or digital</translation>
    </message>
    <message>
        <source>Meteo</source>
        <translation>Weather</translation>
    </message>
    <message>
        <source>Temperatura, condizioni e H/L</source>
        <translation>Temperature, conditions and H/L</translation>
    </message>
    <message>
        <source>Batteria</source>
        <translation>Battery</translation>
    </message>
    <message>
        <source>Carica e stato di alimentazione</source>
        <translation>Charge and power state</translation>
    </message>
    <message>
        <source>Now Playing</source>
        <translation>Now Playing</translation>
    </message>
    <message>
        <source>Spotify, Apple Music in tempo reale</source>
        <translation>Spotify, Apple Music in real time</translation>
    </message>
    <message>
        <source>Cliccabile attraverso</source>
        <translation>Click-through</translation>
    </message>
    <message>
        <source>Stile orologio</source>
        <translation>Clock Style</translation>
    </message>
    <message>
        <source>Analogico</source>
        <translation>Analog</translation>
    </message>
    <message>
        <source>Digitale</source>
        <translation>Digital</translation>
    </message>
    <message>
        <source>Dimensione widget</source>
        <translation>Widget Size</translation>
    </message>
    <message>
        <source>Piccolo (2x2)</source>
        <translation>Small (2x2)</translation>
    </message>
    <message>
        <source>Medio (4x2)</source>
        <translation>Medium (4x2)</translation>
    </message>
    <message>
        <source>Qualsiasi lettore MPRIS in tempo reale</source>
        <translation>Any MPRIS player in real time</translation>
    </message>
</context>
</TS>
