"""Builds the component library the desktop app offers when a Blueprint is designed.

The connector runs this script with __kv_metadata_path naming its property-metadata
file ({class name: {"isSceneComponent", "properties": {key: {"category"?, "editable",
"blueprintReadWrite", "replicated", "exposeOnSpawn"}}}}) and answers the result
written to __kv_result_path as it is:

{"success": true, "componentCount": n, "propertyCount": m,
 "components": {class name: {"classPath", "parentClass", "isSceneComponent",
                             "isAbstract", "properties": {key: {...}}}}}

Each property adds to the metadata its `name` (the key deploys use), its `type`
and `subType` as a Blueprint pin would show it, its `container` when it holds
several values, its `cppType` and its `default` export text. Resources/README.md
describes the shape. Everything lives inside one function that is deleted again,
so __main__ keeps nothing of this script.
"""


def _kv_enrich_component_library():
    import json

    import editor

    flag_keys = ('editable', 'blueprintReadWrite', 'replicated', 'exposeOnSpawn')

    def read_metadata():
        with open(__kv_metadata_path, encoding='utf-8') as metadata_file:
            metadata = json.load(metadata_file)
        if not isinstance(metadata, dict):
            raise ValueError('the property metadata is not an object of component classes')
        return metadata

    def to_snake_key(name):
        """The connector's property key: RelativeLocation -> relative_location, bHiddenInGame -> hidden_in_game."""
        key = []
        for index, char in enumerate(name):
            if index > 0 and 'A' <= char <= 'Z':
                after_lower = 'a' <= name[index - 1] <= 'z'
                before_lower = index + 1 < len(name) and 'a' <= name[index + 1] <= 'z'
                if after_lower or before_lower:
                    key.append('_')
            key.append(char.lower() if 'A' <= char <= 'Z' else char)
        text = ''.join(key)
        return text[2:] if len(text) > 2 and text[:2].lower() == 'b_' else text

    def short_object_name(reference):
        """'Vector' from a pin's "/Script/CoreUObject.ScriptStruct'/Script/CoreUObject.Vector'", quoted or not."""
        path = reference.strip('"').rstrip("'").rsplit("'", 1)[-1]
        return path.rsplit('.', 1)[-1]

    def describe_type(reflected):
        pin_type = reflected.pin_type
        if pin_type is None:
            return {'type': reflected.cpp_type}
        described = {'type': pin_type.category}
        if pin_type.sub_category:
            described['subType'] = pin_type.sub_category
        elif pin_type.sub_category_object not in ('', 'None'):
            described['subType'] = short_object_name(pin_type.sub_category_object)
        if pin_type.container_type != 'None':
            described['container'] = pin_type.container_type
        return described

    def describe_property(metadata, reflected):
        described = {}
        if reflected is not None:
            described['name'] = reflected.name
        if isinstance(metadata.get('category'), str):
            described['category'] = metadata['category']
        if reflected is not None:
            described.update(describe_type(reflected))
            described['cppType'] = reflected.cpp_type
            if reflected.default_value:
                described['default'] = reflected.default_value
        for flag in flag_keys:
            described[flag] = bool(metadata.get(flag, False))
        return described

    def describe_class(class_name, entry):
        if not isinstance(entry, dict) or not isinstance(entry.get('properties'), dict):
            raise ValueError(f'the metadata of {class_name} has no properties object')
        component_class = editor.find_class(class_name)
        described = {}
        reflected_by_key = {}
        if component_class is not None:
            super_class = component_class.get_super_class()
            described['classPath'] = component_class.get_path_name()
            if super_class is not None:
                described['parentClass'] = super_class.get_name()
            described['isAbstract'] = component_class.is_abstract()
            reflected_by_key = {to_snake_key(p.name): p for p in component_class.get_properties()}
        described['isSceneComponent'] = bool(entry.get('isSceneComponent', False))
        described['properties'] = {
            key: describe_property(metadata if isinstance(metadata, dict) else {}, reflected_by_key.get(key))
            for key, metadata in entry['properties'].items()
        }
        return described

    def build_library(metadata):
        components = {name: describe_class(name, entry) for name, entry in metadata.items()}
        property_count = sum(len(component['properties']) for component in components.values())
        return {'success': True, 'componentCount': len(components), 'propertyCount': property_count,
                'components': components}

    def write_result(result):
        text = json.dumps(result, ensure_ascii=False)
        with open(__kv_result_path, 'w', encoding='utf-8') as result_file:
            result_file.write(text)

    try:
        result = build_library(read_metadata())
    except Exception as error:  # every failure goes back to the connector as the result's error
        result = {'success': False, 'error': f'{type(error).__name__}: {error}'}
    write_result(result)


try:
    _kv_enrich_component_library()
finally:
    del _kv_enrich_component_library
