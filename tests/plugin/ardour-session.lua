-- Ardour's headless session tool (ardour7-lua) on the plugins, as a user meets them in a session.
--   create SESSION_FOLDER  a session with a MIDI track holding the LV2 and the VST3 plugin, the Note of
--                          each set to 60 through Ardour's own controls, saved and closed
--   check SESSION_FOLDER   the session opened again: prints the Note of each plugin as Ardour's controls
--                          have it
--   bars SESSION_FOLDER    the timer of both plugins set to "Every 4 bars" in the saved session, which
--                          is opened, saved once the plugins have an advice, rolled for 20 s at the
--                          session's 120 beats a minute with no window open, and saved again: prints the
--                          advice each plugin's saved state holds before and after
-- Each line it prints for the calling script starts with "musewheeler:".

local command, folder = arg[1], arg[2]
local sessionName = "check"
-- The value of note 60 among the parameter's 129 steps, "Any" then the notes 0 to 127, over 0 to 1.
local noteSixty = 61 / 128

local formats = { { name = "LV2", type = ARDOUR.PluginType.LV2 }, { name = "VST3", type = ARDOUR.PluginType.VST3 } }

-- The control Ardour shows for the Note: a plugin property of the LV2, a parameter of the VST3.
local function noteControl (processor)
    local automatable = processor:to_automatable ()
    for parameter in automatable:all_automatable_params ():iter () do
        local control = automatable:automation_control (parameter, false)
        if not control:isnil () then
            local name = control:name ()
            if name == "Note" or string.find (name, ":note$") then
                return control
            end
        end
    end
    return nil
end

local function pluginOfType (track, pluginType)
    local index = 0
    while true do
        local processor = track:nth_plugin (index)
        if processor:isnil () then
            return nil
        end
        if processor:to_insert ():type () == pluginType then
            return processor
        end
        index = index + 1
    end
end

-- The plugins' saved states, as the session keeps them: the VST3 plugin's in the session file, in base64
-- (a VST3 preset holding the plugin's own bytes), the LV2 plugin's in its state folder's Turtle, in the
-- toolkit's own base64 ("<size>.<characters>", its bits taken from the lowest up). Both hold the plugin's XML
-- as text, so a value of the same length is changed in place and every length field stays right.
local base64Table = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"
local toolkitTable = ".ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+"

local function decodeBase64 (text)
    local bytes, bits, count = {}, 0, 0
    for character in text:gmatch ("[^=%s]") do
        bits = (bits << 6) | (base64Table:find (character, 1, true) - 1)
        count = count + 6
        if count >= 8 then
            count = count - 8
            bytes[#bytes + 1] = string.char ((bits >> count) & 0xff)
        end
    end
    return table.concat (bytes)
end

local function encodeBase64 (data)
    local characters = {}
    for position = 1, #data, 3 do
        local a, b, c = data:byte (position, position + 2)
        local group = (a << 16) | ((b or 0) << 8) | (c or 0)
        for index = 0, 3 do
            if position + index - 1 <= #data then
                local value = (group >> (18 - 6 * index)) & 63
                characters[#characters + 1] = base64Table:sub (value + 1, value + 1)
            else
                characters[#characters + 1] = "="
            end
        end
    end
    return table.concat (characters)
end

local function decodeToolkitBase64 (text)
    local size, characters = text:match ("^(%d+)%.(.*)$")
    size = tonumber (size)
    local bytes = {}
    for index = 1, size do
        bytes[index] = 0
    end
    for index = 1, #characters do
        local value = toolkitTable:find (characters:sub (index, index), 1, true) - 1
        for bit = 0, 5 do
            local position = (index - 1) * 6 + bit
            if (value >> bit) & 1 == 1 and position < size * 8 then
                local byte = (position >> 3) + 1
                bytes[byte] = bytes[byte] | (1 << (position & 7))
            end
        end
    end
    for index = 1, size do
        bytes[index] = string.char (bytes[index])
    end
    return table.concat (bytes)
end

local function encodeToolkitBase64 (data)
    local characters = {}
    for index = 0, (#data * 8 + 5) // 6 - 1 do
        local value = 0
        for bit = 0, 5 do
            local position = index * 6 + bit
            if position < #data * 8 and (data:byte ((position >> 3) + 1) >> (position & 7)) & 1 == 1 then
                value = value | (1 << bit)
            end
        end
        characters[#characters + 1] = toolkitTable:sub (value + 1, value + 1)
    end
    return #data .. "." .. table.concat (characters)
end

local function readFile (path)
    local file = assert (io.open (path, "rb"), "cannot read " .. path)
    local text = file:read ("a")
    file:close ()
    return text
end

local function writeFile (path, text)
    local file = assert (io.open (path, "wb"), "cannot write " .. path)
    file:write (text)
    file:close ()
end

-- Where each plugin's state is in the saved session: the file, the encoded text, and its codec.
local function savedStates (folder)
    local sessionFile = folder .. "/" .. sessionName .. ".ardour"
    local session = readFile (sessionFile)
    local states = {}
    local vst3 = session:match ('type="vst3".-<chunk>([^<]+)</chunk>')
    if vst3 then
        states.VST3 = { file = sessionFile, text = vst3, decode = decodeBase64, encode = encodeBase64 }
    end
    local id, stateFolder = session:match ('<Processor id="(%d+)"[^>]-type="lv2".-state%-dir="([^"]+)"')
    if id then
        local stateFile = folder .. "/plugins/" .. id .. "/" .. stateFolder .. "/state.ttl"
        local lv2 = readFile (stateFile):match ('StateString> "([^"]+)"')
        if lv2 then
            states.LV2 = { file = stateFile, text = lv2, decode = decodeToolkitBase64, encode = encodeToolkitBase64 }
        end
    end
    return states
end

-- A setting of the plugin's saved XML, as text; nil when the state holds none.
local function savedSetting (state, name)
    return state and state.decode (state.text):match (name .. '="([^"]*)"')
end

local function setSavedSetting (state, name, from, to)
    assert (#from == #to, "a value of another length would change the lengths around it")
    local data = state.decode (state.text)
    local changed, count = data:gsub (name .. '="' .. from .. '"', name .. '="' .. to .. '"')
    assert (count == 1, "no " .. name .. '="' .. from .. '" in the saved state')
    local file = readFile (state.file)
    local start, finish = file:find (state.text, 1, true)
    writeFile (state.file, file:sub (1, start - 1) .. state.encode (changed) .. file:sub (finish + 1))
end

local function saveSession (session)
    session:save_state ("", false, false, false, false, false)
end

AudioEngine:set_backend ("None (Dummy)", "", "")

if command == "create" then
    local session = create_session (folder, sessionName, 48000)
    assert (session, "no session made")
    local tracks = session:new_midi_track (ARDOUR.ChanCount (ARDOUR.DataType ("midi"), 1),
                                           ARDOUR.ChanCount (ARDOUR.DataType ("audio"), 2), false,
                                           ARDOUR.PluginInfo (), nil, nil, 1, "Musewheeler",
                                           ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true, false)
    local track = tracks:front ()
    for _, format in ipairs (formats) do
        local processor = ARDOUR.LuaAPI.new_plugin (session, "Musewheeler", format.type, "")
        assert (not processor:isnil (), "Ardour does not find the " .. format.name .. " plugin")
        track:add_processor_by_index (processor, -1, nil, true)
        local control = noteControl (processor)
        assert (control, "no Note control in the " .. format.name .. " plugin")
        print ("musewheeler: " .. format.name .. " note before " .. control:get_value ())
        control:set_value (noteSixty, PBD.GroupControlDisposition.NoGroup)
    end
    -- A few blocks played, so that the plugins take the values the controls hand them.
    ARDOUR.LuaAPI.wait_for_process_callback (20, 2)
    session:save_state ("", false, false, false, false, false)
    close_session ()
    print ("musewheeler: saved")
elseif command == "check" then
    local session = load_session (folder, sessionName)
    assert (session, "the session does not open")
    ARDOUR.LuaAPI.wait_for_process_callback (20, 2)
    local track = session:route_by_name ("Musewheeler")
    assert (not track:isnil (), "no track")
    for _, format in ipairs (formats) do
        local processor = pluginOfType (track, format.type)
        assert (processor, "no " .. format.name .. " plugin in the session opened again")
        local control = noteControl (processor)
        assert (control, "no Note control in the " .. format.name .. " plugin")
        local value = control:get_value ()
        local isSixty = math.abs (value - noteSixty) < 1.0e-4
        print ("musewheeler: " .. format.name .. " note " .. (isSixty and "60" or ("not 60: " .. value)))
    end
    close_session ()
elseif command == "bars" then
    for _, format in ipairs (formats) do
        local state = savedStates (folder)[format.name]
        assert (state, "no saved state of the " .. format.name .. " plugin")
        setSavedSetting (state, "timerBars", "0", "4")
    end

    local session = load_session (folder, sessionName)
    assert (session, "the session does not open")

    -- Saved until both plugins have read their sets and hold an advice, before the transport moves.
    local before = {}
    for _ = 1, 50 do
        ARDOUR.LuaAPI.usleep (200000)
        saveSession (session)
        local states = savedStates (folder)
        before.LV2 = tonumber (savedSetting (states.LV2, "lastItem"))
        before.VST3 = tonumber (savedSetting (states.VST3, "lastItem"))
        if before.LV2 and before.VST3 and before.LV2 >= 0 and before.VST3 >= 0 then
            break
        end
    end

    -- 20 s of the dummy backend, which runs in real time: five groups of 4 bars at 120 beats a minute.
    session:request_roll (ARDOUR.TransportRequestSource.TRS_UI)
    for _ = 1, 20 do
        ARDOUR.LuaAPI.usleep (1000000)
    end
    local rolled = session:transport_sample () / session:nominal_sample_rate ()
    session:request_stop (false, false, ARDOUR.TransportRequestSource.TRS_UI)
    ARDOUR.LuaAPI.usleep (500000)
    saveSession (session)
    print (string.format ("musewheeler: rolled %.1f s", rolled))

    local states = savedStates (folder)
    for _, format in ipairs (formats) do
        local state = states[format.name]
        print ("musewheeler: " .. format.name .. " timerBars " .. tostring (savedSetting (state, "timerBars")) ..
               " advice before " .. tostring (before[format.name]) ..
               " after " .. tostring (savedSetting (state, "lastItem")))
    end
    close_session ()
end
